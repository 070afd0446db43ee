#pragma once
#include <string>
#include <string_view>
#include <vector>

// The pop-up of a signature box in the symptom and remedy consultations: the box's text one word
// a line, primary planets marked.
namespace florimant {

inline constexpr int kSignaturePopupMaxWords = 12;
inline constexpr int kSignaturePopupMaxWordLength = 15;
inline constexpr int kSignaturePopupUnitsPerWord = 20;

// Words of `text` (UTF-8), split at every blank and every "-": each separator ends a word, so two
// separators in a row give an empty word; a text ending in a separator has no word after it. At
// most 12 words of at most 15 characters. With `markPrimary` (the planets box) the first h + 1
// words, h being the number of "-" in the whole text, are the primary planets and get "§ " before
// them; the primary signature is the part joined by "-" that comes first in the box.
std::vector<std::string> SignaturePopupWords(std::string_view text, bool markPrimary);

// Height of the pop-up: 20 units a line.
inline int SignaturePopupHeight(size_t lines) { return static_cast<int>(lines) * kSignaturePopupUnitsPerWord; }

}  // namespace florimant
