#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/real.hpp"

// Number texts: reading numbers from the lines of the program's files, the edit boxes and the
// command line, and the scientific form the program's own number texts are written from.
// Every reader takes "." as the decimal point whatever the locale (a comma locale set by the
// windowing layer cannot change a reading) and refuses what is not finite; none reads "inf",
// "nan" or hexadecimal forms.
namespace florimant {

// The number at the start of a line: leading blanks and tabs are skipped, an exponent is allowed,
// anything after the number is ignored. Empty when the line does not start with a finite number.
std::optional<Real> ParseLeadingReal(std::string_view line);
// The same for an integer ("12", "-3"); a line holding a real such as "1.0" gives its whole part,
// and a value beyond two thousand million gives nothing.
std::optional<long> ParseLeadingInteger(std::string_view line);

// What a whole-text number may carry besides the number: the blanks allowed before and after it
// (none when empty), whether "," counts as the decimal point as well as ".", whether a leading
// sign is allowed, and how many digits at most (0: any).
struct NumberTextRules {
    std::string_view BlanksBefore = " \t";
    std::string_view BlanksAfter = " \t";
    bool DecimalComma = true;
    bool Signed = true;
    size_t MostDigits = 0;
};

// A whole text that is one real: sign, digits with one decimal point, an optional exponent.
std::optional<Real> ParseWholeReal(std::string_view text, const NumberTextRules& rules = {});
// The same read at double precision (rounded once, as a double reader rounds it).
std::optional<double> ParseWholeDouble(std::string_view text, const NumberTextRules& rules = {});
// A whole text that is one integer: sign and digits, no decimal point.
std::optional<long> ParseWholeInteger(std::string_view text, const NumberTextRules& rules = {});
// A text of decimal digits only, at least one.
std::optional<unsigned long> ParseDigits(std::string_view text);
bool IsAllDigits(std::string_view text);
// The number written by `count` digits at `at` (0-based); empty when the text is shorter or any
// of them is not a digit.
std::optional<int> DigitsAt(std::string_view text, size_t at, size_t count);

// |x| with 15 significant digits in scientific form, as printf's "%.14Le" writes it: the mantissa
// "d.dddddddddddddd" and the decimal exponent. For a finite x.
struct ScientificForm {
    std::string Mantissa;
    int Exponent = 0;
};
ScientificForm ScientificFormOf(Real x);

}  // namespace florimant
