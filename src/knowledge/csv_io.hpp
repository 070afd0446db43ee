#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"

// The knowledge base as CSV, so it can be kept in a spreadsheet: UTF-8, RFC 4180 quoting, a header
// row naming the fields, one row per record 1 .. N-1 (the header record 0 is not in the CSV; an
// import keeps the existing file's record 0, or writes an empty one for a new file). Long fields
// are one cell (the remedy's logical fields joined); a field whose pieces are not simply its text
// cut at the capacities is written as one column per piece instead, so export then import gives
// the same file byte for byte. docs/knowledge-base.md describes the columns.
namespace florimant {

enum class KnowledgeFile { Database, Repertory, Plants };

// "db", "repertory", "plants"; false for anything else.
bool ParseKnowledgeFile(std::string_view name, KnowledgeFile& file);
std::string_view KnowledgeFilePath(KnowledgeFile file);

// The CSV text of the whole file (empty file: the header row only). A missing file is reported.
std::string ExportKnowledgeCsv(const ProgramFolder& folder, KnowledgeFile file);

// Checks the whole CSV first and writes nothing on an error: DataFileError naming `csvName` with
// the line where the row starts and the column ("riga 12, colonna \"Indicazioni\": 312 caratteri,
// il massimo è 300"), for a field over its capacity, a character that Windows-1252 cannot hold,
// bad quoting, a wrong number of fields or an unknown column. Then replaces the record file whole.
// Returns the number of records imported (N - 1).
size_t ImportKnowledgeCsv(const ProgramFolder& folder, KnowledgeFile file, std::string_view csvText,
                          const std::string& csvName);

// The installation's knowledge base from its CSV sources: imports `dataFolder`/remedies.csv,
// repertory.csv and plants.csv (each when present) into the program folder and rebuilds the
// support files of each database imported. Returns the names of the CSV files used.
std::vector<std::string> BuildKnowledgeBaseFromCsv(const ProgramFolder& folder,
                                                   const std::filesystem::path& dataFolder);

// RFC 4180 parsing: rows of fields, each row with the line number (1-based) where it starts.
struct CsvRow {
    size_t line = 0;
    std::vector<std::string> fields;
};
// Raises DataFileError naming `csvName` for an unclosed quote or text after a closing quote.
std::vector<CsvRow> ParseCsv(std::string_view text, const std::string& csvName);
// One field as written to the CSV: quoted when it holds ",", "\"", CR or LF.
std::string CsvField(std::string_view value);

}  // namespace florimant
