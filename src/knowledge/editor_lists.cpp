#include "knowledge/editor_lists.hpp"

#include "common/utf8.hpp"
#include "knowledge/catalogue.hpp"
#include "knowledge/query_text.hpp"
#include "knowledge/reorder.hpp"
#include "knowledge/support_files.hpp"

namespace florimant {

namespace {
std::string Joined(std::string_view leading, std::string_view other) {
    return ToDisplay(leading) + "**" + ToDisplay(other);
}

std::vector<std::string> StoredLines(const std::vector<std::string>& lines) {
    std::vector<std::string> stored;
    stored.reserve(lines.size());
    for (const std::string& line : lines) stored.push_back(ToStored(line));
    return stored;
}
}  // namespace

std::string EditorListLine(const RemedyRecord& record, EditorOrder order) {
    return ToDisplay(order == EditorOrder::ByRemedy ? RemedyOrderLine(record) : IndicationOrderLine(record));
}

std::string EditorListLine(const RepertoryRecord& record, EditorOrder order) {
    return order == EditorOrder::ByRemedy ? Joined(record.rimedio, record.patologia)
                                          : Joined(record.patologia, record.rimedio);
}

namespace {
std::vector<std::string> FileOrderLines(const ProgramFolder& folder, EditorFile file, EditorOrder order) {
    std::vector<std::string> lines;
    if (file == EditorFile::Database) {
        const std::vector<RemedyRecord> records = ReadAllRemedyRecords(folder);
        for (size_t k = 1; k < records.size(); ++k) lines.push_back(EditorListLine(records[k], order));
    } else {
        const std::vector<RepertoryRecord> records = ReadAllRepertoryRecords(folder);
        for (size_t k = 1; k < records.size(); ++k) lines.push_back(EditorListLine(records[k], order));
    }
    return lines;
}
}  // namespace

std::vector<std::string> BuildEditorList(const ProgramFolder& folder, EditorFile file, EditorOrder order) {
    // Sorted on the stored form, so the order is the catalogue order of the files.
    std::vector<std::string> lines = StoredLines(FileOrderLines(folder, file, order));
    SortIntoCatalogueOrder(lines);
    for (std::string& line : lines) line = ToDisplay(line);
    return lines;
}

std::vector<std::string> BuildReorderList(const ProgramFolder& folder, EditorFile file) {
    return FileOrderLines(folder, file, EditorOrder::ByRemedy);
}

void ApplyReorderList(const ProgramFolder& folder, EditorFile file, const std::vector<std::string>& lines) {
    if (file == EditorFile::Database) ReorderRemedyDatabase(folder, StoredLines(lines));
    else ReorderRepertory(folder, StoredLines(lines));
}

EditorLineParts SplitEditorListLine(std::string_view line, EditorOrder order) {
    ListLineParts parts = SplitListLine(line);
    if (order == EditorOrder::ByRemedy) return {std::move(parts.leading), std::move(parts.other)};
    return {std::move(parts.other), std::move(parts.leading)};
}

SearchKeyCase EditorSearchKeyCase(EditorFile file, EditorOrder order) {
    if (file == EditorFile::Database && order == EditorOrder::ByOther) return SearchKeyCase::FirstUpper;
    return SearchKeyCase::AllUpper;
}

std::optional<size_t> EditorWordFinder::Find(const std::vector<std::string>& list, std::string_view word) {
    const std::string wanted = UpperCaseAscii(word);
    for (size_t i = next_; i < list.size(); ++i) {
        if (UpperCaseAscii(list[i]).find(wanted) == std::string::npos) continue;
        next_ = i + 1;
        return i;
    }
    next_ = 0;
    return std::nullopt;
}

}  // namespace florimant
