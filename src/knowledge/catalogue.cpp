#include "knowledge/catalogue.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace florimant {

namespace {
constexpr std::array<uint8_t, 256> MakeFoldTable() {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i);
    for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<uint8_t>(c - 'a' + 'A');
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) t[c] = static_cast<uint8_t>(c - 0x20);  // à..þ -> À..Þ, ÷ is no letter
    t[0x9A] = 0x8A;                                            // š -> Š
    t[0x9C] = 0x8C;                                            // œ -> Œ
    t[0x9E] = 0x8E;                                            // ž -> Ž
    t[0xFF] = 0x9F;                                            // ÿ -> Ÿ
    return t;
}
constexpr std::array<uint8_t, 256> kFold = MakeFoldTable();

}  // namespace

bool CatalogueLess(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const uint8_t fa = kFold[static_cast<uint8_t>(a[i])];
        const uint8_t fb = kFold[static_cast<uint8_t>(b[i])];
        if (fa != fb) return fa < fb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    // Equal without regard to case: raw bytes decide, so the order is total.
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return static_cast<uint8_t>(a[i]) < static_cast<uint8_t>(b[i]);
    return false;
}

void SortIntoCatalogueOrder(std::vector<std::string>& lines) {
    std::sort(lines.begin(), lines.end(),
              [](const std::string& a, const std::string& b) { return CatalogueLess(a, b); });
}

std::string CatalogueFold(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = static_cast<char>(kFold[static_cast<uint8_t>(c)]);
    return folded;
}

}  // namespace florimant
