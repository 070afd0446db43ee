#include "knowledge/query_incremental_search.hpp"

#include <algorithm>

#include "common/utf8.hpp"

namespace florimant {

void AppendToSearchKey(std::string& key, std::string_view typed, SearchKeyCase keyCase) {
    for (char c : typed) {
        const bool raise = keyCase == SearchKeyCase::AllUpper || key.empty();
        key.push_back(raise ? UpperCaseAscii(c) : c);
    }
}

void RemoveLastSearchKeyCharacter(std::string& key) { RemoveLastCharacter(key); }

int SearchBoundBelowCount(const std::vector<std::string>& list) { return static_cast<int>(list.size()) - 1; }
int SearchBoundCount(const std::vector<std::string>& list) { return static_cast<int>(list.size()); }

int IncrementalSearchPosition(const std::vector<std::string>& list, std::string_view key, int bound) {
    const int n = static_cast<int>(list.size());
    if (n == 0) return -1;
    int lo = 0;
    int hi = bound;
    // Integer division truncating towards zero, as the bisection was written.
    int a = hi / 2;
    const size_t m = key.size();
    for (int step = 0; step < 100; ++step) {
        // The bound n lets the bisection aim one past the last entry; it never reads there.
        const int at = std::clamp(a, 0, n - 1);
        const std::string_view entry(list[static_cast<size_t>(at)]);
        const std::string_view prefix = entry.substr(0, std::min(m, entry.size()));
        const int order = prefix.compare(key);
        if (order > 0) {
            hi = a;
            a = (a + lo) / 2;
        } else if (order < 0) {
            lo = a;
            a = (a + hi) / 2;
        }
    }
    return std::clamp(a, 0, n - 1);
}

}  // namespace florimant
