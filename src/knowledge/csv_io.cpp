#include "knowledge/csv_io.hpp"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/utf8.hpp"
#include "knowledge/fixed_text_record.hpp"
#include "knowledge/plant_records.hpp"
#include "knowledge/plant_support_files.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"
#include "knowledge/support_files.hpp"

namespace florimant {

namespace {
// A CSV column: a logical field made of consecutive pieces of the record.
struct Column {
    std::string name;
    size_t firstPiece;
    size_t pieceCount;
};

struct CsvLayout {
    std::string_view path;
    std::span<const TextFieldSpec> pieces;
    std::vector<Column> columns;  // in the order export writes them
};

CsvLayout LayoutOf(KnowledgeFile file) {
    CsvLayout layout;
    switch (file) {
    case KnowledgeFile::Database: {
        layout.path = kRemedyDatabasePath;
        layout.pieces = RemedyPieceSpecs();
        // The editor's order of the fields, easier to fill than the file order.
        for (RemedyField f :
             {RemedyField::Rimedio, RemedyField::Indicazioni, RemedyField::Posologia, RemedyField::Avvertenze,
              RemedyField::SegnaturaPrimaria, RemedyField::SegnaturaSecondaria, RemedyField::SegnaturaZodiacale,
              RemedyField::SintesiPsichica, RemedyField::Note, RemedyField::NoteSupplementari})
            layout.columns.push_back(
                {std::string(RemedyFieldName(f)), RemedyFieldFirstPiece(f), RemedyFieldPieceCount(f)});
        break;
    }
    case KnowledgeFile::Repertory:
        layout.path = kRepertoryPath;
        layout.pieces = RepertoryFieldSpecs();
        layout.columns = {{"Patologia", 0, 1}, {"Rimedio", 2, 1}, {"Posologia", 1, 1}, {"Note", 3, 3}};
        break;
    case KnowledgeFile::Plants:
        layout.path = kPlantDatabasePath;
        layout.pieces = PlantFieldSpecs();
        for (size_t i = 0; i < layout.pieces.size(); ++i)
            layout.columns.push_back({std::string(layout.pieces[i].name), i, 1});
        break;
    }
    return layout;
}

size_t ColumnCapacity(const CsvLayout& layout, const Column& column) {
    size_t capacity = 0;
    for (size_t i = 0; i < column.pieceCount; ++i) capacity += layout.pieces[column.firstPiece + i].capacity;
    return capacity;
}

// Cuts a text into the column's pieces at their capacities.
void SplitIntoPieces(const CsvLayout& layout, const Column& column, std::string_view text,
                     std::vector<std::string>& pieces) {
    size_t at = 0;
    for (size_t i = column.firstPiece; i < column.firstPiece + column.pieceCount; ++i) {
        const size_t capacity = layout.pieces[i].capacity;
        pieces[i] = at < text.size() ? std::string(text.substr(at, capacity)) : std::string();
        at += capacity;
    }
}

std::string JoinPieces(const Column& column, const std::vector<std::string>& pieces) {
    std::string text;
    for (size_t i = column.firstPiece; i < column.firstPiece + column.pieceCount; ++i) text += pieces[i];
    return text;
}

// True when joining and cutting again gives the same pieces.
bool PiecesAreCanonical(const CsvLayout& layout, const Column& column, const std::vector<std::string>& pieces) {
    std::vector<std::string> again(pieces.size());
    SplitIntoPieces(layout, column, JoinPieces(column, pieces), again);
    for (size_t i = column.firstPiece; i < column.firstPiece + column.pieceCount; ++i)
        if (again[i] != pieces[i]) return false;
    return true;
}

std::string Where(size_t line, std::string_view column) {
    return "riga " + std::to_string(line) + ", colonna \"" + std::string(column) + "\"";
}

// A line break inside a field is CR LF in the record, however the spreadsheet wrote it.
std::string NormalizeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

// The Windows-1252 bytes of a UTF-8 cell, or an error naming the first character that has none.
std::string ToWindows1252(std::string_view utf8, const std::string& csvName, const std::string& where) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const Utf8Character c = DecodeUtf8(utf8, i);
        if (!c.Complete) throw DataFileError(csvName, where + ": il testo non è UTF-8 valido");
        const size_t len = c.Length;
        const std::string_view character = utf8.substr(i, len);
        const std::string single = Utf8ToCp1252(character);
        if (single.size() != 1 || Cp1252ToUtf8(single) != character) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c.CodePoint));
            throw DataFileError(csvName, where + ": il carattere \"" + std::string(character) + "\" (" + code +
                                             ") non è rappresentabile in Windows-1252");
        }
        out += single;
        i += len;
    }
    return out;
}
}  // namespace

bool ParseKnowledgeFile(std::string_view name, KnowledgeFile& file) {
    if (name == "db") file = KnowledgeFile::Database;
    else if (name == "repertory") file = KnowledgeFile::Repertory;
    else if (name == "plants") file = KnowledgeFile::Plants;
    else return false;
    return true;
}

std::string_view KnowledgeFilePath(KnowledgeFile file) { return LayoutOf(file).path; }

std::string CsvField(std::string_view value) {
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(value);
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::vector<CsvRow> ParseCsv(std::string_view text, const std::string& csvName) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<CsvRow> rows;
    size_t line = 1;
    size_t i = 0;
    while (i < text.size()) {
        CsvRow row;
        row.line = line;
        bool rowEnded = false;
        while (!rowEnded) {
            std::string field;
            if (i < text.size() && text[i] == '"') {
                const size_t openedAt = line;
                ++i;
                for (;;) {
                    if (i >= text.size())
                        throw DataFileError(csvName, "riga " + std::to_string(openedAt) + ": virgolette non chiuse");
                    const char c = text[i++];
                    if (c == '"') {
                        if (i < text.size() && text[i] == '"') {
                            field += '"';
                            ++i;
                        } else {
                            break;
                        }
                    } else {
                        if (c == '\n' || (c == '\r' && !(i < text.size() && text[i] == '\n'))) ++line;
                        field += c;
                    }
                }
                if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
                    throw DataFileError(csvName,
                                        "riga " + std::to_string(line) + ": testo dopo le virgolette di chiusura");
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') field += text[i++];
            }
            row.fields.push_back(std::move(field));
            if (i < text.size() && text[i] == ',') {
                ++i;
            } else {
                if (i < text.size() && text[i] == '\r') ++i;
                if (i < text.size() && text[i] == '\n') ++i;
                ++line;
                rowEnded = true;
            }
        }
        const bool blank = row.fields.size() == 1 && row.fields[0].empty();
        if (!blank) rows.push_back(std::move(row));
    }
    return rows;
}

std::string ExportKnowledgeCsv(const ProgramFolder& folder, KnowledgeFile file) {
    const CsvLayout layout = LayoutOf(file);
    if (!folder.Exists(layout.path)) throw DataFileError(std::string(layout.path), "file mancante");
    const size_t recordSize = TextRecordSize(layout.pieces);
    const std::vector<std::vector<uint8_t>> raw = ReadAllRecordBytes(folder, layout.path, recordSize);
    std::vector<std::vector<std::string>> records;
    for (size_t k = 1; k < raw.size(); ++k)
        records.push_back(DecodeTextFields(layout.pieces, raw[k], std::string(layout.path), k));

    // Per column: one joined cell, or one cell per piece when some record needs it.
    std::vector<bool> byPiece(layout.columns.size(), false);
    for (size_t c = 0; c < layout.columns.size(); ++c)
        for (const auto& pieces : records)
            if (layout.columns[c].pieceCount > 1 && !PiecesAreCanonical(layout, layout.columns[c], pieces)) {
                byPiece[c] = true;
                break;
            }

    std::string csv;
    std::vector<std::string> header;
    for (size_t c = 0; c < layout.columns.size(); ++c) {
        const Column& column = layout.columns[c];
        if (byPiece[c])
            for (size_t i = 0; i < column.pieceCount; ++i)
                header.emplace_back(layout.pieces[column.firstPiece + i].name);
        else header.push_back(column.name);
    }
    auto appendRow = [&csv](const std::vector<std::string>& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) csv += ',';
            csv += CsvField(cells[i]);
        }
        csv += "\r\n";
    };
    appendRow(header);
    for (const auto& pieces : records) {
        std::vector<std::string> cells;
        for (size_t c = 0; c < layout.columns.size(); ++c) {
            const Column& column = layout.columns[c];
            if (byPiece[c])
                for (size_t i = 0; i < column.pieceCount; ++i)
                    cells.push_back(Cp1252ToUtf8(pieces[column.firstPiece + i]));
            else cells.push_back(Cp1252ToUtf8(JoinPieces(column, pieces)));
        }
        appendRow(cells);
    }
    return csv;
}

size_t ImportKnowledgeCsv(const ProgramFolder& folder, KnowledgeFile file, std::string_view csvText,
                          const std::string& csvName) {
    const CsvLayout layout = LayoutOf(file);
    const std::vector<CsvRow> rows = ParseCsv(csvText, csvName);
    if (rows.empty()) throw DataFileError(csvName, "manca la riga di intestazione");

    // Each header cell names a whole column or one piece of it ("Note.2").
    std::vector<Column> cellColumns;
    std::set<size_t> joinedColumns;
    std::set<size_t> piecedColumns;
    std::set<std::string> seen;
    for (const std::string& name : rows[0].fields) {
        if (!seen.insert(name).second) throw DataFileError(csvName, "intestazione: colonna \"" + name + "\" ripetuta");
        bool known = false;
        for (size_t c = 0; c < layout.columns.size() && !known; ++c) {
            const Column& column = layout.columns[c];
            if (name == column.name) {
                cellColumns.push_back(column);
                joinedColumns.insert(c);
                known = true;
            } else if (column.pieceCount > 1) {
                for (size_t i = 0; i < column.pieceCount && !known; ++i)
                    if (name == layout.pieces[column.firstPiece + i].name) {
                        cellColumns.push_back({name, column.firstPiece + i, 1});
                        piecedColumns.insert(c);
                        known = true;
                    }
            }
        }
        if (!known) throw DataFileError(csvName, "intestazione: colonna sconosciuta \"" + name + "\"");
    }
    for (size_t c : joinedColumns)
        if (piecedColumns.count(c))
            throw DataFileError(csvName, "intestazione: la colonna \"" + layout.columns[c].name +
                                             "\" compare sia intera sia divisa in parti");

    const size_t recordSize = TextRecordSize(layout.pieces);
    std::string contents;
    // The header record stays that of the file being replaced, or empty for a new file.
    std::vector<uint8_t> header(recordSize, 0);
    if (folder.Exists(layout.path)) {
        const std::vector<uint8_t> old = ReadWholeFile(folder, layout.path);
        if (old.size() >= recordSize) header.assign(old.begin(), old.begin() + static_cast<long>(recordSize));
    }
    contents.append(reinterpret_cast<const char*>(header.data()), header.size());

    for (size_t r = 1; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        if (row.fields.size() != cellColumns.size())
            throw DataFileError(csvName, "riga " + std::to_string(row.line) + ": " + std::to_string(row.fields.size()) +
                                             " campi invece di " + std::to_string(cellColumns.size()));
        std::vector<std::string> pieces(layout.pieces.size());
        for (size_t c = 0; c < cellColumns.size(); ++c) {
            const Column& column = cellColumns[c];
            const std::string where = Where(row.line, column.name);
            const std::string value = ToWindows1252(NormalizeLineBreaks(row.fields[c]), csvName, where);
            const size_t capacity = ColumnCapacity(layout, column);
            if (value.size() > capacity)
                throw DataFileError(csvName, where + ": " + std::to_string(value.size()) + " caratteri, il massimo è " +
                                                 std::to_string(capacity));
            SplitIntoPieces(layout, column, value, pieces);
        }
        const std::vector<uint8_t> bytes = EncodeTextFields(layout.pieces, pieces);
        contents.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    ReplaceFile(folder, layout.path, contents);
    return rows.size() - 1;
}

std::vector<std::string> BuildKnowledgeBaseFromCsv(const ProgramFolder& folder,
                                                   const std::filesystem::path& dataFolder) {
    struct Source {
        const char* name;
        KnowledgeFile file;
        void (*rebuild)(const ProgramFolder&);
    };
    static constexpr Source kSources[] = {
        {"remedies.csv", KnowledgeFile::Database, RebuildSupportFiles},
        {"repertory.csv", KnowledgeFile::Repertory, RebuildPathologyList},
        {"plants.csv", KnowledgeFile::Plants, RebuildPlantSupportFiles},
    };
    std::vector<std::string> used;
    for (const Source& source : kSources) {
        const std::filesystem::path path = dataFolder / source.name;
        std::ifstream in(path, std::ios::binary);
        if (!in) continue;
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ImportKnowledgeCsv(folder, source.file, text, source.name);
        source.rebuild(folder);
        used.emplace_back(source.name);
    }
    return used;
}

}  // namespace florimant
