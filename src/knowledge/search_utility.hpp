#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"

// The utility search: a record-by-record scan of one field of the primary database or of the
// repertory for a phrase (word match), showing the field split at the match so that it can be
// corrected and saved in place.
namespace florimant {

enum class UtilityFile { Database, Repertory };

struct UtilityField {
    std::string_view caption;  // the field button's caption
    size_t capacity;           // shown after the field's length
};
// Database: "Rimedio", "Indicazioni", "Posologia", "Avvertenze", "Segnat. Primaria",
// "Segnat.Second.", "Segnat. Zodiac.", "Sintesi Psichica", "Note", "Note Supplementari".
// Repertory: "Rimedio", "Patologia", "Posologia", "Note". The first of each is the default.
std::span<const UtilityField> UtilityFields(UtilityFile file);

inline constexpr std::string_view kEndOfArchive = "FINE ARCHIVIO";

// What one search step shows.
struct UtilityStep {
    bool found = false;        // false: the end of the file was reached without a match
    size_t record = 0;         // the record found; at the end, the last record number
    std::string remedy;        // EdRime (or "FINE ARCHIVIO")
    std::string before;        // Memo1: the field before the match (or "FINE ARCHIVIO")
    std::string after;         // Memo2: the field from the match on (or "FINE ARCHIVIO")
    std::string lengthText;    // Edit2: length "/" capacity
    std::string positionText;  // Edit1: record + 1 after a match, the last record number at the end
    size_t nextPosition = 0;   // where the next step starts
};

// Scans records `from` .. N-1 (the header record 0 included) for the first whose field matches.
// Every record is searched, the last ones too; DataFileError when the file is missing.
UtilityStep UtilitySearchStep(const ProgramFolder& folder, UtilityFile file, size_t field, std::string_view phrase,
                              size_t from);

// Every match of the file, as successive steps would show them.
std::vector<UtilityStep> FindAllUtilityMatches(const ProgramFolder& folder, UtilityFile file, size_t field,
                                               std::string_view phrase);

// The search button's state: "Cerca" starts a search from record 0 with the phrase of the box,
// "Continua" goes on from the remembered position; reaching the end returns to "Cerca".
class UtilitySearch {
public:
    UtilityStep Press(const ProgramFolder& folder, std::string_view phraseBox);
    std::string_view caption() const noexcept { return underWay_ ? "Continua" : "Cerca"; }
    bool underWay() const noexcept { return underWay_; }
    UtilityFile file() const noexcept { return file_; }
    size_t field() const noexcept { return field_; }
    // Changing the phrase or the field ends the search under way; changing the file only moves
    // the position back to record 0.
    void PhraseChanged();
    void SelectField(size_t field);
    void SelectFile(UtilityFile file);
    // The record of the last match, for "Salva"; none at the end of the file or before a search.
    std::optional<size_t> foundRecord() const noexcept { return found_; }

private:
    UtilityFile file_ = UtilityFile::Database;
    size_t field_ = 0;
    bool underWay_ = false;
    std::string phrase_;
    size_t position_ = 0;
    std::optional<size_t> found_;
};

// "Salva": stores `text` (UTF-8; Memo1 + Memo2) as the field of record `record`, cut as the file's
// pieces require, and writes that record back.
void SaveUtilityField(const ProgramFolder& folder, UtilityFile file, size_t field, size_t record,
                      std::string_view text);

}  // namespace florimant
