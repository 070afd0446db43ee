#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/fixed_text_record.hpp"

// The primary remedy database "OpzioneH\DBmain.rnd": one 4814-byte record per pair of a remedy and
// one therapeutic indication. Record 0 is a header that no list shows; records 1 .. N-1 are the
// entries.
namespace florimant {

inline constexpr std::string_view kRemedyDatabasePath = "OpzioneH\\DBmain.rnd";
inline constexpr size_t kRemedyRecordSize = 4814;
inline constexpr size_t kRemedyPieceCount = 24;

// The logical fields, each stored as one or more consecutive pieces.
enum class RemedyField {
    Rimedio,
    Posologia,
    Indicazioni,
    SintesiPsichica,
    SegnaturaPrimaria,
    SegnaturaSecondaria,
    SegnaturaZodiacale,
    Avvertenze,
    Note,
    NoteSupplementari,
};
inline constexpr size_t kRemedyFieldCount = 10;
inline constexpr std::array<RemedyField, kRemedyFieldCount> kRemedyFields = {
    RemedyField::Rimedio,
    RemedyField::Posologia,
    RemedyField::Indicazioni,
    RemedyField::SintesiPsichica,
    RemedyField::SegnaturaPrimaria,
    RemedyField::SegnaturaSecondaria,
    RemedyField::SegnaturaZodiacale,
    RemedyField::Avvertenze,
    RemedyField::Note,
    RemedyField::NoteSupplementari,
};

// The 24 pieces in file order; piece i of the record is pieces[i].
struct RemedyPiece {
    RemedyField field;
    size_t capacity;
};
inline constexpr std::array<RemedyPiece, kRemedyPieceCount> kRemedyPieces = {{
    {RemedyField::Rimedio, 50},
    {RemedyField::Posologia, 250},
    {RemedyField::Posologia, 250},
    {RemedyField::Posologia, 250},
    {RemedyField::Posologia, 150},
    {RemedyField::Indicazioni, 250},
    {RemedyField::Indicazioni, 50},
    {RemedyField::SintesiPsichica, 250},
    {RemedyField::SintesiPsichica, 250},
    {RemedyField::SintesiPsichica, 250},
    {RemedyField::SintesiPsichica, 250},
    {RemedyField::SintesiPsichica, 250},
    {RemedyField::SintesiPsichica, 250},
    {RemedyField::SegnaturaPrimaria, 30},
    {RemedyField::SegnaturaSecondaria, 40},
    {RemedyField::SegnaturaZodiacale, 70},
    {RemedyField::Avvertenze, 250},
    {RemedyField::Avvertenze, 150},
    {RemedyField::Note, 250},
    {RemedyField::Note, 250},
    {RemedyField::Note, 250},
    {RemedyField::NoteSupplementari, 250},
    {RemedyField::NoteSupplementari, 250},
    {RemedyField::NoteSupplementari, 250},
}};

// "Rimedio", "Posologia", ... as the fields are called throughout the program.
std::string_view RemedyFieldName(RemedyField field);
// Sum of the field's piece capacities: 50, 900, 300, 1500, 30, 40, 70, 400, 750, 750.
size_t RemedyFieldCapacity(RemedyField field);
// Index of the field's first piece and number of pieces.
size_t RemedyFieldFirstPiece(RemedyField field);
size_t RemedyFieldPieceCount(RemedyField field);
// The pieces as fixed text fields ("Posologia.1" ...), for the generic record layer.
std::span<const TextFieldSpec> RemedyPieceSpecs();

struct RemedyRecord {
    // Windows-1252 bytes as stored, each at most its piece's capacity.
    std::array<std::string, kRemedyPieceCount> pieces;

    bool operator==(const RemedyRecord&) const = default;
};

// The pieces of a field joined in order.
std::string JoinRemedyField(const RemedyRecord& record, RemedyField field);
// Cuts the text into consecutive slices of the piece capacities (characters 1-250, 251-500, ...)
// and stores one slice per piece; characters beyond the field's capacity are dropped.
void SplitRemedyField(RemedyRecord& record, RemedyField field, std::string_view text);

std::vector<uint8_t> EncodeRemedyRecord(const RemedyRecord& record);
// `file` and `recordNumber` name the place in errors about a damaged record.
RemedyRecord DecodeRemedyRecord(std::span<const uint8_t> bytes,
                                const std::string& file = std::string(kRemedyDatabasePath), size_t recordNumber = 0);

// N, the number of records including the header; 0 when the file is missing.
size_t CountRemedyRecords(const ProgramFolder& folder);
RemedyRecord ReadRemedyRecord(const ProgramFolder& folder, size_t k);
// Records 0 .. N-1 in one read; empty when the file is missing.
std::vector<RemedyRecord> ReadAllRemedyRecords(const ProgramFolder& folder);
void WriteRemedyRecord(const ProgramFolder& folder, size_t k, const RemedyRecord& record);
// Writes at record N (creating the file with an empty header when missing); returns the new N.
size_t AppendRemedyRecord(const ProgramFolder& folder, const RemedyRecord& record);
// Moves records k+1 .. N-1 one place down and shortens the file by one record (k >= 1).
void DeleteRemedyRecord(const ProgramFolder& folder, size_t k);

}  // namespace florimant
