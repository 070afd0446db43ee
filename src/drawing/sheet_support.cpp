#include "drawing/sheet_support.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "common/number_text.hpp"
#include "common/utf8.hpp"

#include "drawing/picture_orientation.hpp"

namespace florimant {

namespace {

// Advance widths of Arial in units of 1/2048 em: U+0020..U+007E, then U+00A0..U+00FF.
constexpr uint16_t AsciiAdvances[] = {
    569,  569,  727,  1139, 1139, 1821, 1366, 391,  682,  682,  797,  1196, 569,  682,  569,  569,  1139, 1139, 1139,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 569,  569,  1196, 1196, 1196, 1139, 2079, 1366, 1366, 1479, 1479, 1366,
    1251, 1593, 1479, 569,  1024, 1366, 1139, 1706, 1479, 1593, 1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366,
    1366, 1251, 569,  569,  569,  961,  1139, 682,  1139, 1139, 1024, 1139, 1139, 569,  1139, 1139, 455,  455,  1024,
    455,  1706, 1139, 1139, 1139, 1139, 682,  1024, 569,  1139, 1024, 1479, 1024, 1024, 1024, 684,  532,  684,  1196,
};
constexpr uint16_t LatinAdvances[] = {
    569,  682,  1139, 1139, 1139, 1139, 532,  1139, 682,  1509, 758,  1139, 1196, 682,  1509, 1131,
    819,  1124, 682,  682,  682,  1180, 1100, 682,  682,  682,  748,  1139, 1708, 1708, 1708, 1251,
    1366, 1366, 1366, 1366, 1366, 1366, 2048, 1479, 1366, 1366, 1366, 1366, 569,  569,  569,  569,
    1479, 1479, 1593, 1593, 1593, 1593, 1593, 1196, 1593, 1479, 1479, 1479, 1479, 1366, 1366, 1251,
    1139, 1139, 1139, 1139, 1139, 1139, 1821, 1024, 1139, 1139, 1139, 1139, 569,  569,  569,  569,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1124, 1251, 1139, 1139, 1139, 1139, 1024, 1139, 1024,
};
constexpr Real UnitsPerEm = 2048;
constexpr Real CellPerEm = (1854 + 434) / UnitsPerEm;  // ascent + descent
constexpr uint16_t WideAdvance = 2048;                 // a whole em: no character of the sheets is wider

// The next code point of a UTF-8 text; a broken sequence counts as one wide character.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const Utf8Character c = DecodeUtf8(s, i);
    i += c.Length;
    return c.Complete ? c.CodePoint : 0xFFFD;
}

}  // namespace

Real ArialTextWidth(std::string_view utf8, Real cellHeight) {
    long units = 0;
    for (size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        if (c >= 0x20 && c <= 0x7E) units += AsciiAdvances[c - 0x20];
        else if (c >= 0xA0 && c <= 0xFF) units += LatinAdvances[c - 0xA0];
        else units += WideAdvance;
    }
    // Devices size the em in whole units: up to half a unit more than the cell asks for.
    const Real em = cellHeight / CellPerEm + Real(0.5);
    return units * em / UnitsPerEm;
}

void ApplyPrintScale(DrawState& s, int pageWidthPixels, int pageHeightPixels) {
    // A4's sides in the page's own orientation. Both sides of a page are whole pixels, each up to
    // half a pixel from the true side: an A4 page is never taken as narrower than it is.
    const bool upright = pageHeightPixels >= pageWidthPixels;
    const Real widthPerHeight = upright ? Real(210) / 297 : Real(297) / 210;
    const Real widthOfHeight = (pageHeightPixels + Real(0.5)) * widthPerHeight + Real(0.5);
    const Real width = std::min<Real>(pageWidthPixels, widthOfHeight);
    s.Scale = width / Real(210) * Real(0.776);
    s.AxisCorrectionX = s.AxisCorrectionY = 1;
    s.FontBase = RoundHalfEven(width / Real(82));
}

void RestoreScreenScale(DrawState& s, Real screenScale, Real axisX, Real axisY) {
    s.Scale = screenScale;
    s.AxisCorrectionX = axisX;
    s.AxisCorrectionY = axisY;
    s.FontBase = RoundHalfEven(Real(3.7) * screenScale);
}

std::string AbsoluteLongitudeText(Real longitude) {
    const Real whole = std::trunc(longitude);
    const Real fraction = std::fabs(longitude - whole);
    std::string digits;
    if (fraction > 0) {
        // The fraction written with 15 significant digits, as the program's number texts are,
        // then read in plain decimal form: leading zeros after the point, trailing zeros dropped.
        const ScientificForm form = ScientificFormOf(fraction);
        if (form.Exponent < 0) {
            std::string mantissa = form.Mantissa;
            std::erase(mantissa, '.');
            mantissa.erase(mantissa.find_last_not_of('0') + 1);
            digits = std::string(size_t(-form.Exponent - 1), '0') + mantissa;
        }
        digits = digits.substr(0, 2);
    }
    char degrees[32];
    std::snprintf(degrees, sizeof degrees, "%.0Lf", whole);
    return "(" + std::string(degrees) + "\u00B0," + digits + ")";
}

bool PassesPictureNameCheck(std::string_view name) {
    if (name.size() != 10 || name.substr(0, 4) != "GRAF" || name.substr(6) != ".EMF") return false;
    const char tens = name[4], units = name[5];
    if (tens < '0' || tens > '9' || units < '0' || units > '9') return false;
    const int number = (tens - '0') * 10 + (units - '0');
    return number >= 1 && number <= PictureCount;
}

}  // namespace florimant
