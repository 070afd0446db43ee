#include "common/cp1252.hpp"

#include <cstdint>

#include "common/utf8.hpp"

namespace florimant {

namespace {
// Code points of 0x80..0x9F; 0 where Windows-1252 leaves the byte undefined (kept as the C1 control).
constexpr uint16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int ByteForCodePoint(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp && cp != 0) return 0x80 + i;
    if (cp >= 0x80 && cp < 0xA0) return static_cast<int>(cp);  // undefined bytes round-trip
    return -1;
}
}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        uint8_t b = static_cast<uint8_t>(ch);
        uint32_t cp = b;
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0) cp = kHigh[b - 0x80];
        AppendUtf8(out, cp);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const Utf8Character c = DecodeUtf8(text, i);
        if (!c.Complete || (c.Length == 2 && c.CodePoint < 0x80)) {  // not UTF-8: keep the byte as it is
            out.push_back(text[i]);
            ++i;
            continue;
        }
        const int mapped = ByteForCodePoint(c.CodePoint);
        out.push_back(mapped < 0 ? '?' : static_cast<char>(mapped));
        i += c.Length;
    }
    return out;
}

}  // namespace florimant
