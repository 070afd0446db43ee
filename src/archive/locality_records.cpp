#include "archive/locality_records.hpp"

#include <cmath>

#include "common/bytes.hpp"
#include "common/data_file_error.hpp"
#include "common/pstring.hpp"
#include "common/real_formats.hpp"

namespace florimant {

namespace {
constexpr size_t NameAt = 0;
constexpr size_t LatitudeAt = 32;
constexpr size_t LongitudeAt = 48;
constexpr size_t CodeAt = 60;
constexpr size_t StateAt = 64;
}  // namespace

std::string_view LocalityFilePath(LocalityStore store) {
    return store == LocalityStore::Italia ? "Localita\\ITALIA.LOC" : "Localita\\ESTERO.LOC";
}

std::vector<uint8_t> EncodeLocalityRecord(const LocalityRecord& record) {
    std::vector<uint8_t> bytes(LocalityRecordSize, 0);
    std::span<uint8_t> b(bytes);
    WritePString(b, NameAt, LocalityNameCapacity, record.name);
    const ExtendedBytes latitude = EncodeExtended(record.latitude);
    const ExtendedBytes longitude = EncodeExtended(record.longitude);
    std::copy(latitude.begin(), latitude.end(), bytes.begin() + LatitudeAt);
    std::copy(longitude.begin(), longitude.end(), bytes.begin() + LongitudeAt);
    WriteI32LE(b, CodeAt, record.regimeCode);
    WritePString(b, StateAt, LocalityStateCapacity, record.state);
    return bytes;
}

LocalityRecord DecodeLocalityRecord(std::span<const uint8_t> bytes) {
    LocalityRecord record;
    record.name = ReadPString(bytes, NameAt, LocalityNameCapacity);
    record.latitude = DecodeExtended(bytes.subspan(LatitudeAt).first<10>());
    record.longitude = DecodeExtended(bytes.subspan(LongitudeAt).first<10>());
    record.regimeCode = ReadI32LE(bytes, CodeAt);
    record.state = ReadPString(bytes, StateAt, LocalityStateCapacity);
    return record;
}

std::string RegimeFileName(int32_t regimeCode, std::string_view file) {
    if (regimeCode < 100000000 || regimeCode > 999999999)
        throw DataFileError(std::string(file), "codice del regime orario non valido: " + std::to_string(regimeCode));
    return std::to_string(regimeCode).substr(1, 8) + ".CAL";
}

int32_t RegimeCodeOf(uint32_t listId) { return static_cast<int32_t>(100000000u + listId % 100000000u); }

LocalityFile::LocalityFile(const ProgramFolder& folder, LocalityStore store)
    : store_(store),
      file_(std::make_unique<RecordFile>(folder, std::string(LocalityFilePath(store)), LocalityRecordSize)) {
    const size_t records = file_->Count();
    count_ = records > 0 ? records - 1 : 0;
}

LocalityRecord LocalityFile::Read(size_t record) const {
    if (record < 1 || record > count_)
        throw DataFileError(programPath(), "località " + std::to_string(record) + " inesistente");
    const std::vector<uint8_t> bytes = file_->Read(record);
    LocalityRecord place = DecodeLocalityRecord(bytes);
    // A garbled coordinate must not travel on into the chart as NaN or an impossible angle.
    if (!std::isfinite(place.latitude) || !std::isfinite(place.longitude) || std::fabs(place.latitude) > 90 ||
        std::fabs(place.longitude) > 180)
        throw DataFileError(programPath(), "coordinate non valide nella località " + std::to_string(record));
    return place;
}

std::string LocalityFile::ReadName(size_t record) const {
    if (record < 1 || record > count_)
        throw DataFileError(programPath(), "località " + std::to_string(record) + " inesistente");
    return ReadPString(file_->Read(record), NameAt, LocalityNameCapacity);
}

void WriteLocalityFile(const ProgramFolder& folder, LocalityStore store, const std::vector<LocalityRecord>& places) {
    LocalityRecord header;
    header.name = store == LocalityStore::Italia ? "LOCALITA ITALIANE" : "LOCALITA ESTERE";
    header.regimeCode = static_cast<int32_t>(places.size());
    std::string contents;
    contents.reserve((places.size() + 1) * LocalityRecordSize);
    auto append = [&contents](const LocalityRecord& record) {
        const std::vector<uint8_t> bytes = EncodeLocalityRecord(record);
        contents.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    append(header);
    for (const LocalityRecord& place : places) append(place);
    ReplaceFile(folder, LocalityFilePath(store), contents);
}

}  // namespace florimant
