#pragma once
#include <array>
#include <string>
#include <string_view>

#include "common/real.hpp"
#include "common/trim.hpp"
#include "common/utf8.hpp"

// The number, angle and sign texts the windows and sheets show, and a few general text functions.
// Texts are UTF-8 ("°" is two bytes here).
namespace florimant {

// The twelve signs in zodiacal order, 0..11; the chart stores the sign number Sign + 1.
enum class Sign {
    Ariete,
    Toro,
    Gemelli,
    Cancro,
    Leone,
    Vergine,
    Bilancia,
    Scorpione,
    Sagittario,
    Capricorno,
    Acquario,
    Pesci
};
const std::string& SignName(int sign);       // "Ariete"
const std::string& SignUpperName(int sign);  // "ARIETE    " (padded to 10)
const std::string& SignName4(int sign);      // "Arie"
const std::string& SignName3(int sign);      // "Ari"
int SignOf(Real longitude);                  // int(λ / 30), 0..11

std::string ZeroPad(long value, int width);
// First `width` characters of the plain decimal expansion of |x|, truncated. Throws
// std::domain_error for a value that is not finite.
std::string FormatDecimal(int width, Real x);
std::string SignDegreeText(int mode, Real longitude);
std::string InSignText(int mode, Real longitude);
std::string SignPositionText(std::string_view flag, Real longitude);
std::string LatitudeText(Real latitude);

// UpperCaseInPlace (common/utf8.hpp), TrimLeadingBlanks and TrimTrailingJunk (common/trim.hpp),
// the general text helpers every module calls, come with the includes above.
std::string RepeatChar(int count, char ch);

}  // namespace florimant
