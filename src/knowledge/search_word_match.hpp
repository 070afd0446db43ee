#pragma once
#include <optional>
#include <string>
#include <string_view>

// The word match of the synthesis, composition and utility searches: the searched text and the
// field are both turned to upper case (letters a-z only) and the field matches when it contains
// the text. Texts are UTF-8; accented letters match only as typed.
namespace florimant {

bool WordMatch(std::string_view field, std::string_view word);
// Byte position in `field` of the first match, none when there is none.
std::optional<size_t> WordMatchPosition(std::string_view field, std::string_view word);

// The field with its first match replaced by the searched text in upper case, so that the match
// stands out; the field unchanged when there is no match.
struct HighlightedText {
    std::string text;
    std::optional<size_t> position;  // byte position of the highlighted match
};
HighlightedText HighlightFirstMatch(std::string_view field, std::string_view word);

}  // namespace florimant
