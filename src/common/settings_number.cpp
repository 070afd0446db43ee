#include "common/settings_number.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace florimant {

std::string FormatSettingsReal(Real value) {
    if (!std::isfinite(value)) value = 0;
    char buffer[64];
    // %Le gives "d.ddddddddddddddde+XX"; the exponent is rewritten with four digits.
    std::snprintf(buffer, sizeof buffer, "%.14Le", std::fabs(value));
    std::string text = buffer;
    const size_t e = text.find('e');
    const std::string mantissa = text.substr(0, e);
    const int exponent = std::atoi(text.c_str() + e + 1);
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "E%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
    std::string result = (std::signbit(value) && value != 0 ? "-" : " ") + mantissa + exponentText;
    if (result.size() < 23) result.insert(0, 23 - result.size(), ' ');
    return result;
}

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number text at the start of s (sign, digits, one decimal point, exponent); 0 when
// there are no digits. Written by hand so that the locale's decimal point plays no part.
size_t NumberLength(std::string_view s, char point) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == point) {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < s.size() && IsDigit(s[j])) ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

std::optional<Real> ConvertNumber(std::string_view s) {
    // from_chars ignores the locale, so a comma locale set by the windowing layer cannot change
    // the reading; it does not take a leading "+".
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    Real value = 0;
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end == s.data() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string_view SkipBlanks(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return s.substr(i);
}
}  // namespace

std::optional<Real> ParseLeadingReal(std::string_view line) {
    std::string_view s = SkipBlanks(line);
    const size_t n = NumberLength(s, '.');
    if (n == 0) return std::nullopt;
    return ConvertNumber(s.substr(0, n));
}

std::optional<long> ParseLeadingInteger(std::string_view line) {
    std::optional<Real> value = ParseLeadingReal(line);
    if (!value || std::fabs(*value) > 2e9L) return std::nullopt;
    return static_cast<long>(std::trunc(*value));
}

std::optional<Real> ParseWholeReal(std::string_view text) {
    std::string s(SkipBlanks(text));
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    for (char& c : s)
        if (c == ',') c = '.';
    const size_t n = NumberLength(s, '.');
    if (n == 0 || n != s.size()) return std::nullopt;
    return ConvertNumber(s);
}

}  // namespace florimant
