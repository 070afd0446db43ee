#include "knowledge/search_remedy_pick_list.hpp"

#include <algorithm>
#include <unordered_map>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/trim.hpp"
#include "knowledge/catalogue.hpp"
#include "knowledge/query_sources.hpp"
#include "knowledge/query_text.hpp"

namespace florimant {

namespace {
std::string StoredName(const RemedyRecord& record) {
    return WithoutTrailingBlanks(record.pieces[RemedyFieldFirstPiece(RemedyField::Rimedio)]);
}
}  // namespace

RemedyPickList BuildRemedyPickList(const std::vector<RemedyRecord>& records) {
    std::vector<std::string> names;
    std::unordered_map<std::string, size_t> firstRecord;
    for (size_t k = 0; k < records.size(); ++k) {
        std::string name = StoredName(records[k]);
        if (name.empty() || name.find("Errore") != std::string::npos) continue;
        firstRecord.try_emplace(name, k);
        names.push_back(std::move(name));
    }
    SortIntoCatalogueOrder(names);

    RemedyPickList list;
    std::string previous = "ZZZZZ";
    for (const std::string& name : names) {
        if (name == previous) continue;
        previous = name;
        list.names.push_back(ToDisplay(name));
        list.firstRecords.push_back(firstRecord.at(name));
    }
    return list;
}

std::string ListedName(const RemedyRecord& record) { return ToDisplay(StoredName(record)); }

bool IsNamed(const RemedyRecord& record, std::string_view name) { return StoredName(record) == ToStored(name); }

std::optional<size_t> FirstRecordNamed(const std::vector<RemedyRecord>& records, std::string_view name) {
    const std::string wanted = ToStored(name);
    for (size_t k = 0; k < records.size(); ++k)
        if (StoredName(records[k]) == wanted) return k;
    return std::nullopt;
}

RemedyPickList LoadRemedyPickList(const ProgramFolder& folder) {
    RemedyPickList list = BuildRemedyPickList(RequireRemedyRecords(folder));
    WriteProductIndex(folder, list);
    return list;
}

void WriteProductIndex(const ProgramFolder& folder, const RemedyPickList& list) {
    std::vector<std::string> lines;
    lines.reserve(list.firstRecords.size());
    for (size_t k : list.firstRecords) lines.push_back(std::to_string(k));
    ReplaceTextFile(folder, kProductIndexPath, lines);
}

std::vector<size_t> ReadProductIndex(const ProgramFolder& folder) {
    std::vector<size_t> numbers;
    for (const std::string& line : ReadTextLines(folder, kProductIndexPath)) {
        const std::optional<unsigned long> k = ParseDigits(line);
        if (!k) throw DataFileError(std::string(kProductIndexPath), "riga non numerica: \"" + ToDisplay(line) + "\"");
        numbers.push_back(*k);
    }
    return numbers;
}

}  // namespace florimant
