#include "knowledge/reorder.hpp"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <span>
#include <system_error>
#include <utility>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/trim.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"
#include "knowledge/support_files.hpp"

namespace florimant {

namespace {
using MatchKey = std::pair<std::string, std::string>;

MatchKey KeyOfLine(std::string_view line) {
    ListLineParts parts = SplitListLine(line);
    return {WithoutTrailingJunkCp1252(parts.leading), WithoutTrailingJunkCp1252(parts.other)};
}

// `lineOf` gives the list line of a record. The record's own line goes through the same split as
// the list's lines, so a "*" inside a text cannot keep a record from finding its line.
using RecordLine = std::function<std::string(std::span<const uint8_t> bytes, size_t k)>;

void Reorder(const ProgramFolder& folder, std::string_view databasePath, std::string_view reorderPath,
             size_t recordSize, const RecordLine& lineOf, const std::vector<std::string>& lines,
             const ReorderProgress& progress) {
    const std::vector<uint8_t> data = ReadRecordFileBytes(folder, databasePath, recordSize);
    if (data.empty()) throw DataFileError(std::string(databasePath), "file mancante o vuoto");
    const size_t count = data.size() / recordSize;
    auto record = [&](size_t k) { return std::span<const uint8_t>(data).subspan(k * recordSize, recordSize); };
    auto append = [&](std::string& to, size_t k) {
        to.append(reinterpret_cast<const char*>(data.data() + k * recordSize), recordSize);
    };

    // Records by key, in ascending record number: the front is the first one not yet taken.
    std::map<MatchKey, std::deque<size_t>> untaken;
    for (size_t k = 1; k < count; ++k) untaken[KeyOfLine(lineOf(record(k), k))].push_back(k);

    std::string contents;
    contents.reserve(data.size());
    append(contents, 0);
    size_t written = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        auto found = untaken.find(KeyOfLine(lines[i]));
        if (found == untaken.end() || found->second.empty())
            throw DataFileError(std::string(databasePath), "riordino annullato: la voce " + std::to_string(i + 1) +
                                                               " dell'elenco non corrisponde a nessun record");
        const size_t k = found->second.front();
        found->second.pop_front();
        append(contents, k);
        ++written;
        if (progress) progress(written + 1);
    }
    if (written != count - 1)
        throw DataFileError(std::string(databasePath), "riordino annullato: l'elenco ha " + std::to_string(written) +
                                                           " voci ma il file ha " + std::to_string(count - 1) +
                                                           " record");

    // The reordered file is complete before it takes the database's place.
    ReplaceFile(folder, reorderPath, contents);
    const std::filesystem::path from = folder.Resolve(reorderPath);
    const std::filesystem::path to = folder.Resolve(databasePath);
    NotifyFileOperation("rename", to);
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (ec)
        throw DataFileError(std::string(databasePath),
                            "impossibile sostituire il file con " + std::string(reorderPath) + ": " + ec.message());
}
}  // namespace

void MoveReorderEntry(std::vector<std::string>& lines, size_t from, size_t to) {
    if (from >= lines.size() || to >= lines.size() || from == to) return;
    if (from > to)
        std::rotate(lines.begin() + static_cast<long>(to), lines.begin() + static_cast<long>(from),
                    lines.begin() + static_cast<long>(from) + 1);
    else
        std::rotate(lines.begin() + static_cast<long>(from), lines.begin() + static_cast<long>(from) + 1,
                    lines.begin() + static_cast<long>(to) + 1);
}

void ReorderRemedyDatabase(const ProgramFolder& folder, const std::vector<std::string>& lines,
                           const ReorderProgress& progress) {
    const RecordLine lineOf = [](std::span<const uint8_t> bytes, size_t k) {
        return RemedyOrderLine(DecodeRemedyRecord(bytes, std::string(kRemedyDatabasePath), k));
    };
    Reorder(folder, kRemedyDatabasePath, kRemedyReorderPath, kRemedyRecordSize, lineOf, lines, progress);
}

void ReorderRepertory(const ProgramFolder& folder, const std::vector<std::string>& lines,
                      const ReorderProgress& progress) {
    const RecordLine lineOf = [](std::span<const uint8_t> bytes, size_t k) {
        const RepertoryRecord r = DecodeRepertoryRecord(bytes, std::string(kRepertoryPath), k);
        return r.rimedio + "**" + r.patologia;
    };
    Reorder(folder, kRepertoryPath, kRepertoryReorderPath, kRepertoryRecordSize, lineOf, lines, progress);
}

}  // namespace florimant
