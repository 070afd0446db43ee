#pragma once
#include <string>
#include <string_view>
#include <vector>

// The incremental search of the knowledge-base pick lists: each key press edits the search key,
// then a fixed bisection over the catalogue-ordered list picks the entry to highlight. Highlighting
// never selects; the window selects only on a click (or Enter where a window says so).
namespace florimant {

// How typed characters enter the key: the symptom lists raise only the key's first character,
// the remedy and pathology lists every character (letters a-z only in both cases).
enum class SearchKeyCase { FirstUpper, AllUpper };

// Appends the typed text (one character, UTF-8) to the key with the case treatment.
void AppendToSearchKey(std::string& key, std::string_view typed, SearchKeyCase keyCase);
// Backspace: removes the key's last character (a whole UTF-8 sequence).
void RemoveLastSearchKeyCharacter(std::string& key);

// The bounds the windows use: n - 1 in the symptom and remedy consultations, n elsewhere.
int SearchBoundBelowCount(const std::vector<std::string>& list);
int SearchBoundCount(const std::vector<std::string>& list);

// The entry to highlight for `key` in `list` (catalogue order) with the window's bound H: lo = 0,
// hi = H, a = hi div 2, then exactly 100 steps comparing the first m bytes of list[a] with the key
// of m bytes (byte-wise, case-sensitive). Returns -1 for an empty list; the index is always a valid
// entry of the list whatever the bound.
int IncrementalSearchPosition(const std::vector<std::string>& list, std::string_view key, int bound);

}  // namespace florimant
