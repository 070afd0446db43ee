#include "knowledge/search_word_match.hpp"

#include "common/utf8.hpp"

namespace florimant {

std::optional<size_t> WordMatchPosition(std::string_view field, std::string_view word) {
    // Only a-z change, so positions in the upper-case copy are positions in the field.
    const size_t at = UpperCaseAscii(field).find(UpperCaseAscii(word));
    if (at == std::string::npos) return std::nullopt;
    return at;
}

bool WordMatch(std::string_view field, std::string_view word) { return WordMatchPosition(field, word).has_value(); }

HighlightedText HighlightFirstMatch(std::string_view field, std::string_view word) {
    HighlightedText result{std::string(field), WordMatchPosition(field, word)};
    if (result.position) result.text.replace(*result.position, word.size(), UpperCaseAscii(word));
    return result;
}

}  // namespace florimant
