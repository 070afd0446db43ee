#include "knowledge/plant_records.hpp"

#include <array>

#include "common/data_file_error.hpp"
#include "common/pstring.hpp"

namespace florimant {

namespace {
constexpr std::array<TextFieldSpec, 9> kSpecs = {{
    {"Sintomo", 100},
    {"Pianta", 20},
    {"Sigla", 15},
    {"SegnaturaPrimaria", 15},
    {"SegnaturaSecondaria", 30},
    {"SegnaturaZodiacale", 70},
    {"SintesiPsichica", 100},
    {"Autori", 100},
    {"Note", 140},
}};
}  // namespace

std::span<const TextFieldSpec> PlantFieldSpecs() { return kSpecs; }

std::vector<uint8_t> EncodePlantRecord(const PlantRecord& r) {
    const std::array<std::string, 9> values = {
        r.sintomo,         r.pianta, r.sigla, r.segnaturaPrimaria, r.segnaturaSecondaria, r.segnaturaZodiacale,
        r.sintesiPsichica, r.autori, r.note};
    return EncodeTextFields(kSpecs, values);
}

PlantRecord DecodePlantRecord(std::span<const uint8_t> bytes, const std::string& file, size_t recordNumber) {
    std::vector<std::string> v = DecodeTextFields(kSpecs, bytes, file, recordNumber);
    PlantRecord r;
    r.sintomo = std::move(v[0]);
    r.pianta = std::move(v[1]);
    r.sigla = std::move(v[2]);
    r.segnaturaPrimaria = std::move(v[3]);
    r.segnaturaSecondaria = std::move(v[4]);
    r.segnaturaZodiacale = std::move(v[5]);
    r.sintesiPsichica = std::move(v[6]);
    r.autori = std::move(v[7]);
    r.note = std::move(v[8]);
    return r;
}

size_t CountPlantRecords(const ProgramFolder& folder) {
    return CountTextRecords(folder, kPlantDatabasePath, kPlantRecordSize);
}

PlantRecord ReadPlantRecord(const ProgramFolder& folder, size_t k) {
    return DecodePlantRecord(ReadRecordBytes(folder, kPlantDatabasePath, kPlantRecordSize, k),
                             std::string(kPlantDatabasePath), k);
}

std::vector<PlantRecord> ReadAllPlantRecords(const ProgramFolder& folder) {
    std::vector<std::vector<uint8_t>> raw = ReadAllRecordBytes(folder, kPlantDatabasePath, kPlantRecordSize);
    std::vector<PlantRecord> records;
    records.reserve(raw.size());
    for (size_t k = 0; k < raw.size(); ++k)
        records.push_back(DecodePlantRecord(raw[k], std::string(kPlantDatabasePath), k));
    return records;
}

void WritePlantRecord(const ProgramFolder& folder, size_t k, const PlantRecord& record) {
    WriteRecordBytes(folder, kPlantDatabasePath, k, EncodePlantRecord(record));
}

size_t AppendPlantRecord(const ProgramFolder& folder, const PlantRecord& record) {
    if (CountPlantRecords(folder) == 0) AppendRecordBytes(folder, kPlantDatabasePath, EncodePlantRecord({}));
    return AppendRecordBytes(folder, kPlantDatabasePath, EncodePlantRecord(record));
}

void DeletePlantRecord(const ProgramFolder& folder, size_t k) {
    if (k == 0) throw DataFileError(std::string(kPlantDatabasePath), "il record 0 (intestazione) non si elimina");
    DeleteRecordBytes(folder, kPlantDatabasePath, kPlantRecordSize, k);
}

std::vector<std::string> ReadNameList(const ProgramFolder& folder, std::string_view programPath, size_t capacity,
                                      size_t firstRecord) {
    std::vector<std::string> names;
    const TextFieldSpec spec{"nome", capacity};
    const std::vector<std::vector<uint8_t>> raw = ReadAllRecordBytes(folder, programPath, capacity + 1);
    for (size_t k = firstRecord; k < raw.size(); ++k)
        names.push_back(std::move(DecodeTextFields({&spec, 1}, raw[k], std::string(programPath), k)[0]));
    return names;
}

std::string EncodeNameList(const std::vector<std::string>& names, size_t capacity) {
    std::string contents(names.size() * (capacity + 1), '\0');
    std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(contents.data()), contents.size());
    for (size_t k = 0; k < names.size(); ++k) WritePString(bytes, k * (capacity + 1), capacity, names[k]);
    return contents;
}

}  // namespace florimant
