#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/remedy_record.hpp"

// The synthesis and composition searches: the remedies of the pick list whose psychic synthesis
// (or whose notes, which carry the composition) contain a word or phrase, and the text of one
// remedy with the first match raised to upper case.
namespace florimant {

enum class RemedyTextSearch { Synthesis, Composition };

inline constexpr std::string_view kNoSearchResult = "**NESSUN RISULTATO**";

// SintesiPsichica or Note.
RemedyField SearchedField(RemedyTextSearch search);

// The remedies of `pickList` (in its order) with at least one record whose field matches `word`
// (word match); the single line "**NESSUN RISULTATO**" when there is none.
std::vector<std::string> FindRemediesContaining(const ProgramFolder& folder, const std::vector<std::string>& pickList,
                                                RemedyTextSearch search, std::string_view word);

// The label and panel texts.
struct RemedyTextPanel {
    std::string label;  // LabelMemo
    std::string text;   // MemoNote
};
// The label the search button resets to: "Sintesi Psichica del Rimedio", "Composizione del Rimedio".
std::string_view ResetLabel(RemedyTextSearch search);
// A click on the pick list: the field of the first record named so ("Sintesi Psichica di " or
// "Composizione di " + name); the synthesis falls back to "Non è riportata una Sintesi Psichica"
// when shorter than 5 characters, the notes have no fallback. A name no record carries gives the
// label "Sintesi Psichica" (or the composition's reset label) and an empty panel.
RemedyTextPanel ShowRemedyText(const ProgramFolder& folder, RemedyTextSearch search, std::string_view name);
// A click on the result list: the same field with the first occurrence of `word` (any case)
// written in upper case. "**NESSUN RISULTATO**" is not a remedy and gives nothing.
std::optional<RemedyTextPanel> ShowFoundRemedyText(const ProgramFolder& folder, RemedyTextSearch search,
                                                   std::string_view name, std::string_view word);

}  // namespace florimant
