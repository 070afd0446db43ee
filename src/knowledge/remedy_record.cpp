#include "knowledge/remedy_record.hpp"

#include <algorithm>

#include "common/data_file_error.hpp"

namespace florimant {

namespace {
constexpr std::array<std::string_view, kRemedyFieldCount> kFieldNames = {
    "Rimedio",
    "Posologia",
    "Indicazioni",
    "SintesiPsichica",
    "SegnaturaPrimaria",
    "SegnaturaSecondaria",
    "SegnaturaZodiacale",
    "Avvertenze",
    "Note",
    "NoteSupplementari",
};

// Piece names for the generic layer: the field's name alone when it has one piece, else
// "Name.1", "Name.2", ...
struct PieceSpecs {
    std::array<std::string, kRemedyPieceCount> names;
    std::array<TextFieldSpec, kRemedyPieceCount> specs;
    PieceSpecs() {
        for (size_t i = 0; i < kRemedyPieceCount; ++i) {
            const RemedyField field = kRemedyPieces[i].field;
            names[i] = std::string(RemedyFieldName(field));
            if (RemedyFieldPieceCount(field) > 1)
                names[i] += "." + std::to_string(i - RemedyFieldFirstPiece(field) + 1);
            specs[i] = TextFieldSpec{names[i], kRemedyPieces[i].capacity};
        }
    }
};

const PieceSpecs& Specs() {
    static const PieceSpecs specs;
    return specs;
}
}  // namespace

std::string_view RemedyFieldName(RemedyField field) { return kFieldNames[static_cast<size_t>(field)]; }

size_t RemedyFieldCapacity(RemedyField field) {
    size_t capacity = 0;
    for (const RemedyPiece& p : kRemedyPieces)
        if (p.field == field) capacity += p.capacity;
    return capacity;
}

size_t RemedyFieldFirstPiece(RemedyField field) {
    for (size_t i = 0; i < kRemedyPieceCount; ++i)
        if (kRemedyPieces[i].field == field) return i;
    return kRemedyPieceCount;
}

size_t RemedyFieldPieceCount(RemedyField field) {
    return static_cast<size_t>(std::count_if(kRemedyPieces.begin(), kRemedyPieces.end(),
                                             [field](const RemedyPiece& p) { return p.field == field; }));
}

std::span<const TextFieldSpec> RemedyPieceSpecs() { return Specs().specs; }

std::string JoinRemedyField(const RemedyRecord& record, RemedyField field) {
    std::string text;
    const size_t first = RemedyFieldFirstPiece(field);
    for (size_t i = first; i < first + RemedyFieldPieceCount(field); ++i) text += record.pieces[i];
    return text;
}

void SplitRemedyField(RemedyRecord& record, RemedyField field, std::string_view text) {
    const size_t first = RemedyFieldFirstPiece(field);
    size_t at = 0;
    for (size_t i = first; i < first + RemedyFieldPieceCount(field); ++i) {
        const size_t capacity = kRemedyPieces[i].capacity;
        record.pieces[i] = at < text.size() ? std::string(text.substr(at, capacity)) : std::string();
        at += capacity;
    }
}

std::vector<uint8_t> EncodeRemedyRecord(const RemedyRecord& record) {
    return EncodeTextFields(RemedyPieceSpecs(), record.pieces);
}

RemedyRecord DecodeRemedyRecord(std::span<const uint8_t> bytes, const std::string& file, size_t recordNumber) {
    std::vector<std::string> values = DecodeTextFields(RemedyPieceSpecs(), bytes, file, recordNumber);
    RemedyRecord record;
    std::move(values.begin(), values.end(), record.pieces.begin());
    return record;
}

size_t CountRemedyRecords(const ProgramFolder& folder) {
    return CountTextRecords(folder, kRemedyDatabasePath, kRemedyRecordSize);
}

RemedyRecord ReadRemedyRecord(const ProgramFolder& folder, size_t k) {
    return DecodeRemedyRecord(ReadRecordBytes(folder, kRemedyDatabasePath, kRemedyRecordSize, k),
                              std::string(kRemedyDatabasePath), k);
}

std::vector<RemedyRecord> ReadAllRemedyRecords(const ProgramFolder& folder) {
    const std::vector<uint8_t> data = ReadRecordFileBytes(folder, kRemedyDatabasePath, kRemedyRecordSize);
    const std::span<const uint8_t> all(data);
    std::vector<RemedyRecord> records;
    records.reserve(data.size() / kRemedyRecordSize);
    for (size_t k = 0; k * kRemedyRecordSize < data.size(); ++k)
        records.push_back(DecodeRemedyRecord(all.subspan(k * kRemedyRecordSize, kRemedyRecordSize),
                                             std::string(kRemedyDatabasePath), k));
    return records;
}

void WriteRemedyRecord(const ProgramFolder& folder, size_t k, const RemedyRecord& record) {
    WriteRecordBytes(folder, kRemedyDatabasePath, k, EncodeRemedyRecord(record));
}

size_t AppendRemedyRecord(const ProgramFolder& folder, const RemedyRecord& record) {
    // A new database starts with an empty header, so the first entry is record 1.
    if (CountRemedyRecords(folder) == 0) AppendRecordBytes(folder, kRemedyDatabasePath, EncodeRemedyRecord({}));
    return AppendRecordBytes(folder, kRemedyDatabasePath, EncodeRemedyRecord(record));
}

void DeleteRemedyRecord(const ProgramFolder& folder, size_t k) {
    if (k == 0) throw DataFileError(std::string(kRemedyDatabasePath), "il record 0 (intestazione) non si elimina");
    DeleteRecordBytes(folder, kRemedyDatabasePath, kRemedyRecordSize, k);
}

}  // namespace florimant
