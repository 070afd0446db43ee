#include "archive/regime_records.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "common/bytes.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/pstring.hpp"
#include "common/real_formats.hpp"
#include "common/trim.hpp"

namespace florimant {

namespace {
constexpr size_t InstantAt = 0;
constexpr size_t CodeAt = 10;
constexpr size_t CorrectionAt = 16;

// Records from `first` up to a "****" record or the end of the file. The file is read in blocks:
// a list is read whole for every birth computed, and record-by-record reads cost a seek each.
std::vector<RegimeRecord> ReadUntilEnd(const ProgramFolder& folder, const std::string& programPath, size_t first) {
    std::ifstream in(folder.Resolve(programPath), std::ios::binary);
    if (!in) throw DataFileError(programPath, "file mancante");
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size % static_cast<std::streamoff>(RegimeRecordSize) != 0)
        throw DataFileError(programPath, "file danneggiato: la lunghezza non è un numero intero di record da 24 byte");
    const size_t count = static_cast<size_t>(size) / RegimeRecordSize;
    if (first >= count) throw DataFileError(programPath, "l'elenco inizia oltre la fine del file");
    in.seekg(static_cast<std::streamoff>(first * RegimeRecordSize));
    std::vector<RegimeRecord> records;
    std::vector<uint8_t> block;
    constexpr size_t BlockRecords = 128;
    for (size_t k = first; k < count;) {
        const size_t n = std::min(BlockRecords, count - k);
        block.resize(n * RegimeRecordSize);
        if (!in.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(block.size())))
            throw DataFileError(programPath, "errore di lettura al record " + std::to_string(k));
        for (size_t i = 0; i < n; ++i, ++k) {
            RegimeRecord record =
                DecodeRegimeRecord(std::span<const uint8_t>(block).subspan(i * RegimeRecordSize, RegimeRecordSize));
            if (record.Is(EndOfListCode)) return records;
            // Instants far outside any calendar would overflow the date texts of the regime lines.
            const bool instantInRange =
                record.Is(ContinuationCode) || (record.Instant() >= 0 && record.Instant() <= 1e7L);
            if (!std::isfinite(record.stored) || !instantInRange || !std::isfinite(record.correction) ||
                std::fabs(record.correction) > 24)
                throw DataFileError(programPath, "regime orario non valido al record " + std::to_string(k));
            records.push_back(std::move(record));
        }
    }
    return records;
}

// Characters 15-20 of an index line, as a record number: blanks, then digits up to the next blank.
bool ParseIndexStart(const std::string& line, size_t& start) {
    if (line.size() < 15) return false;
    const std::string field = WithoutLeadingBlanks(std::string_view(line).substr(14, 6));
    const std::optional<unsigned long> value = ParseDigits(std::string_view(field).substr(0, field.find(' ')));
    if (value) start = *value;
    return value.has_value();
}
}  // namespace

std::vector<uint8_t> EncodeRegimeRecord(const RegimeRecord& record) {
    std::vector<uint8_t> bytes(RegimeRecordSize, 0);
    std::span<uint8_t> b(bytes);
    const ExtendedBytes instant = EncodeExtended(record.stored);
    std::copy(instant.begin(), instant.end(), bytes.begin() + InstantAt);
    WritePString(b, CodeAt, RegimeCodeCapacity, record.code);
    const uint64_t bits = std::bit_cast<uint64_t>(record.correction);
    for (int i = 0; i < 8; ++i) bytes[CorrectionAt + i] = static_cast<uint8_t>(bits >> (8 * i));
    return bytes;
}

RegimeRecord DecodeRegimeRecord(std::span<const uint8_t> bytes) {
    RegimeRecord record;
    record.stored = DecodeExtended(bytes.subspan(InstantAt).first<10>());
    record.code = ReadPString(bytes, CodeAt, RegimeCodeCapacity);
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(bytes[CorrectionAt + i]) << (8 * i);
    record.correction = std::bit_cast<double>(bits);
    return record;
}

RegimeRecord MakeRegimeRecord(Real julianDayUT, std::string_view code, double correction) {
    return RegimeRecord{julianDayUT + RegimeInstantOffset, std::string(code), correction};
}

RegimeRecord MakeContinuationRecord(uint32_t listId) {
    return RegimeRecord{static_cast<Real>(listId), std::string(ContinuationCode), 0};
}

std::string ContinuationFileName(const RegimeRecord& record, std::string_view file) {
    const Real number = std::round(record.stored);
    if (!std::isfinite(number) || number < 0 || number > 99999999)
        throw DataFileError(std::string(file), "rimando \"RICH\" a un elenco non valido");
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08ld.CAL", static_cast<long>(number));
    return buffer;
}

RegimeList ReadRegimeList(const ProgramFolder& folder, LocalityStore store, std::string_view fileName) {
    RegimeList list;
    list.name = std::string(fileName);
    if (store == LocalityStore::Italia) {
        list.source = "Calendar\\" + list.name;
        if (!folder.Exists(list.source)) throw DataFileError(list.source, "file mancante");
        list.records = ReadUntilEnd(folder, list.source, 0);
        return list;
    }
    list.source = std::string(RegimeDatabasePath);
    const std::vector<std::string> index = ReadTextLines(folder, RegimeIndexPath);
    for (const std::string& line : index) {
        if (line.size() < 12 || !EqualsIgnoreCase(std::string_view(line).substr(0, 12), fileName)) continue;
        size_t start = 0;
        if (!ParseIndexStart(line, start))
            throw DataFileError(std::string(RegimeIndexPath), "numero di record non valido per " + list.name);
        list.records = ReadUntilEnd(folder, list.source, start);
        return list;
    }
    throw DataFileError(std::string(RegimeIndexPath), "elenco " + list.name + " non presente nell'indice");
}

std::string RegimeIndexLine(std::string_view fileName, size_t firstRecord) {
    char number[16];
    std::snprintf(number, sizeof number, "%6zu", firstRecord);
    std::string line(fileName.substr(0, 12));
    line.resize(12, ' ');
    return line + "  " + number;
}

std::string EncodeRegimeRecords(const std::vector<RegimeRecord>& records) {
    std::string contents;
    contents.reserve(records.size() * RegimeRecordSize);
    for (const RegimeRecord& record : records) {
        const std::vector<uint8_t> bytes = EncodeRegimeRecord(record);
        contents.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    return contents;
}

}  // namespace florimant
