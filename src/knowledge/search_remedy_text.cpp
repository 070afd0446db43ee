#include "knowledge/search_remedy_text.hpp"

#include <unordered_set>

#include "common/utf8.hpp"
#include "knowledge/query_sources.hpp"
#include "knowledge/query_text.hpp"
#include "knowledge/search_remedy_pick_list.hpp"
#include "knowledge/search_word_match.hpp"

namespace florimant {

namespace {
constexpr std::string_view kNoSynthesisShort = "Non è riportata una Sintesi Psichica";
constexpr size_t kShortestSynthesis = 5;

std::string NameLabel(RemedyTextSearch search, std::string_view name) {
    return (search == RemedyTextSearch::Synthesis ? "Sintesi Psichica di " : "Composizione di ") + std::string(name);
}

std::string FieldText(const RemedyRecord& record, RemedyTextSearch search) {
    return ToDisplay(JoinRemedyField(record, SearchedField(search)));
}
}  // namespace

RemedyField SearchedField(RemedyTextSearch search) {
    return search == RemedyTextSearch::Synthesis ? RemedyField::SintesiPsichica : RemedyField::Note;
}

std::string_view ResetLabel(RemedyTextSearch search) {
    return search == RemedyTextSearch::Synthesis ? "Sintesi Psichica del Rimedio" : "Composizione del Rimedio";
}

std::vector<std::string> FindRemediesContaining(const ProgramFolder& folder, const std::vector<std::string>& pickList,
                                                RemedyTextSearch search, std::string_view word) {
    // One pass over the file: a listed remedy is found when any of its records matches.
    const std::vector<RemedyRecord> records = RequireRemedyRecords(folder);
    std::unordered_set<std::string> matchingNames;
    for (const RemedyRecord& record : records)
        if (WordMatch(FieldText(record, search), word)) matchingNames.insert(ListedName(record));
    std::vector<std::string> found;
    for (const std::string& name : pickList)
        if (matchingNames.count(name)) found.push_back(name);
    if (found.empty()) found.emplace_back(kNoSearchResult);
    return found;
}

RemedyTextPanel ShowRemedyText(const ProgramFolder& folder, RemedyTextSearch search, std::string_view name) {
    const std::vector<RemedyRecord> records = RequireRemedyRecords(folder);
    const std::optional<size_t> k = FirstRecordNamed(records, name);
    if (!k) return {search == RemedyTextSearch::Synthesis ? "Sintesi Psichica" : std::string(ResetLabel(search)), {}};
    std::string text = FieldText(records[*k], search);
    if (search == RemedyTextSearch::Synthesis && CharacterCount(text) < kShortestSynthesis) text = kNoSynthesisShort;
    return {NameLabel(search, name), text};
}

std::optional<RemedyTextPanel> ShowFoundRemedyText(const ProgramFolder& folder, RemedyTextSearch search,
                                                   std::string_view name, std::string_view word) {
    if (name == kNoSearchResult) return std::nullopt;
    const std::vector<RemedyRecord> records = RequireRemedyRecords(folder);
    const std::optional<size_t> k = FirstRecordNamed(records, name);
    if (!k) return std::nullopt;
    return RemedyTextPanel{NameLabel(search, name), HighlightFirstMatch(FieldText(records[*k], search), word).text};
}

}  // namespace florimant
