#include "common/settings_number.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace florimant {

std::string FormatSettingsReal(Real value) {
    if (!std::isfinite(value)) value = 0;
    // The exponent of the scientific form is rewritten with four digits.
    const ScientificForm form = ScientificFormOf(value);
    const std::string& mantissa = form.Mantissa;
    const int exponent = form.Exponent;
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "E%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
    std::string result = (std::signbit(value) && value != 0 ? "-" : " ") + mantissa + exponentText;
    if (result.size() < 23) result.insert(0, 23 - result.size(), ' ');
    return result;
}

}  // namespace florimant
