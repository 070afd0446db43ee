#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/real.hpp"

// The number texts of the settings files. Reals are written in scientific notation in a field of
// 23 characters (" 1.00000000000000E+0001": a blank or "-", one digit, ".", 14 digits, "E", the
// exponent's sign and four digits) with "." as decimal point whatever the locale.
namespace florimant {

std::string FormatSettingsReal(Real value);

// Reads the real at the start of a settings line: leading blanks are skipped, "." is the decimal
// point, an exponent is allowed, anything after the number is ignored. Empty when the line does not
// start with a finite number.
std::optional<Real> ParseLeadingReal(std::string_view line);
// The same for an integer ("12", "-3"); a line holding a real such as "1.0" gives its whole part.
std::optional<long> ParseLeadingInteger(std::string_view line);
// A whole text that is one real: blanks allowed around it, "." or "," as decimal point, a leading
// "+" allowed, nothing else.
std::optional<Real> ParseWholeReal(std::string_view text);

}  // namespace florimant
