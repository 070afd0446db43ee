#include "knowledge/repertory_record.hpp"

#include "common/data_file_error.hpp"

namespace florimant {

namespace {
constexpr std::array<TextFieldSpec, 6> kSpecs = {{
    {"Patologia", 100},
    {"Posologia", 250},
    {"Rimedio", 100},
    {"Note.1", 250},
    {"Note.2", 250},
    {"Note.3", 250},
}};
}  // namespace

std::span<const TextFieldSpec> RepertoryFieldSpecs() { return kSpecs; }

std::string JoinRepertoryNote(const RepertoryRecord& record) {
    return record.note[0] + record.note[1] + record.note[2];
}

void SplitRepertoryNote(RepertoryRecord& record, std::string_view text) {
    for (size_t i = 0; i < 3; ++i)
        record.note[i] = i * 250 < text.size() ? std::string(text.substr(i * 250, 250)) : std::string();
}

std::vector<uint8_t> EncodeRepertoryRecord(const RepertoryRecord& r) {
    const std::array<std::string, 6> values = {r.patologia, r.posologia, r.rimedio, r.note[0], r.note[1], r.note[2]};
    return EncodeTextFields(kSpecs, values);
}

RepertoryRecord DecodeRepertoryRecord(std::span<const uint8_t> bytes, const std::string& file, size_t recordNumber) {
    std::vector<std::string> v = DecodeTextFields(kSpecs, bytes, file, recordNumber);
    RepertoryRecord r;
    r.patologia = std::move(v[0]);
    r.posologia = std::move(v[1]);
    r.rimedio = std::move(v[2]);
    r.note = {std::move(v[3]), std::move(v[4]), std::move(v[5])};
    return r;
}

size_t CountRepertoryRecords(const ProgramFolder& folder) {
    return CountTextRecords(folder, kRepertoryPath, kRepertoryRecordSize);
}

RepertoryRecord ReadRepertoryRecord(const ProgramFolder& folder, size_t k) {
    return DecodeRepertoryRecord(ReadRecordBytes(folder, kRepertoryPath, kRepertoryRecordSize, k),
                                 std::string(kRepertoryPath), k);
}

std::vector<RepertoryRecord> ReadAllRepertoryRecords(const ProgramFolder& folder) {
    std::vector<std::vector<uint8_t>> raw = ReadAllRecordBytes(folder, kRepertoryPath, kRepertoryRecordSize);
    std::vector<RepertoryRecord> records;
    records.reserve(raw.size());
    for (size_t k = 0; k < raw.size(); ++k)
        records.push_back(DecodeRepertoryRecord(raw[k], std::string(kRepertoryPath), k));
    return records;
}

void WriteRepertoryRecord(const ProgramFolder& folder, size_t k, const RepertoryRecord& record) {
    WriteRecordBytes(folder, kRepertoryPath, k, EncodeRepertoryRecord(record));
}

size_t AppendRepertoryRecord(const ProgramFolder& folder, const RepertoryRecord& record) {
    if (CountRepertoryRecords(folder) == 0) AppendRecordBytes(folder, kRepertoryPath, EncodeRepertoryRecord({}));
    return AppendRecordBytes(folder, kRepertoryPath, EncodeRepertoryRecord(record));
}

void DeleteRepertoryRecord(const ProgramFolder& folder, size_t k) {
    if (k == 0) throw DataFileError(std::string(kRepertoryPath), "il record 0 (intestazione) non si elimina");
    DeleteRecordBytes(folder, kRepertoryPath, kRepertoryRecordSize, k);
}

}  // namespace florimant
