#include "drawing/sheet_support.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace florimant {

void ApplyPrintScale(DrawState& s, int pageWidthPixels) {
    s.Scale = pageWidthPixels / Real(210) * Real(0.776);
    s.AxisCorrectionX = s.AxisCorrectionY = 1;
    s.FontBase = RoundHalfEven(pageWidthPixels / Real(82));
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
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.14Le", fraction);
        const char* e = std::strchr(buffer, 'e');
        const int exponent = e ? std::atoi(e + 1) : 0;
        if (exponent < 0) {
            std::string mantissa;
            for (const char* p = buffer; p != e; ++p)
                if (*p >= '0' && *p <= '9') mantissa += *p;
            while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
            digits = std::string(size_t(-exponent - 1), '0') + mantissa;
        }
        digits = digits.substr(0, 2);
    }
    char degrees[32];
    std::snprintf(degrees, sizeof degrees, "%.0Lf", whole);
    return "(" + std::string(degrees) + "\u00B0," + digits + ")";
}

bool PassesPictureNameCheck(std::string_view name) {
    for (size_t dot = name.find('.'); dot != std::string_view::npos; dot = name.find('.', dot + 1))
        if (name.substr(dot + 1) != "EMF") return false;
    return true;
}

}  // namespace florimant
