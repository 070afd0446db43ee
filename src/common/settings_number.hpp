#pragma once
#include <string>

#include "common/number_text.hpp"
#include "common/real.hpp"

// The number texts of the settings files. Reals are written in scientific notation in a field of
// 23 characters (" 1.00000000000000E+0001": a blank or "-", one digit, ".", 14 digits, "E", the
// exponent's sign and four digits) with "." as decimal point whatever the locale. They are read
// back with ParseLeadingReal and ParseLeadingInteger, and an edited value with ParseWholeReal
// (common/number_text.hpp).
namespace florimant {

std::string FormatSettingsReal(Real value);

}  // namespace florimant
