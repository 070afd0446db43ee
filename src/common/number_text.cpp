#include "common/number_text.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <type_traits>

namespace florimant {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The extent of the number text at the start of s: sign, digits, one decimal point, exponent.
// Written by hand so that the locale's decimal point plays no part.
struct NumberExtent {
    size_t Length = 0;  // 0 when there is no digit
    size_t Digits = 0;  // digits before the exponent
    bool Fraction = false;
    bool Exponent = false;
};

NumberExtent MeasureNumber(std::string_view s, bool withFraction, bool withSign) {
    NumberExtent n;
    size_t i = 0;
    if (withSign && i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++n.Digits;
    if (withFraction && i < s.size() && s[i] == '.') {
        ++i;
        n.Fraction = true;
        while (i < s.size() && IsDigit(s[i])) ++i, ++n.Digits;
    }
    if (n.Digits == 0) return {};
    if (withFraction && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t exponentDigits = 0;
        while (j < s.size() && IsDigit(s[j])) ++j, ++exponentDigits;
        if (exponentDigits > 0) {
            i = j;
            n.Exponent = true;
        }
    }
    n.Length = i;
    return n;
}

// from_chars ignores the locale; it does not take a leading "+".
template <typename Number>
std::optional<Number> Convert(std::string_view s) {
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    Number value{};
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    if constexpr (std::is_floating_point_v<Number>)
        if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::string_view SkipBlanks(std::string_view s, std::string_view blanks) {
    const size_t first = s.find_first_not_of(blanks);
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

std::string_view DropTrailingBlanks(std::string_view s, std::string_view blanks) {
    const size_t last = s.find_last_not_of(blanks);
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

// The number text of a whole text under the rules, with "," turned into "."; empty when the
// text is not one number of the wanted kind.
std::optional<std::string> WholeNumberText(std::string_view text, const NumberTextRules& rules, bool withFraction) {
    std::string s(DropTrailingBlanks(SkipBlanks(text, rules.BlanksBefore), rules.BlanksAfter));
    if (rules.DecimalComma)
        for (char& c : s)
            if (c == ',') c = '.';
    const NumberExtent n = MeasureNumber(s, withFraction, rules.Signed);
    if (n.Length == 0 || n.Length != s.size()) return std::nullopt;
    if (rules.MostDigits != 0 && n.Digits > rules.MostDigits) return std::nullopt;
    return s;
}

template <typename Number>
std::optional<Number> ParseWhole(std::string_view text, const NumberTextRules& rules) {
    const std::optional<std::string> s = WholeNumberText(text, rules, std::is_floating_point_v<Number>);
    if (!s) return std::nullopt;
    return Convert<Number>(*s);
}
}  // namespace

std::optional<Real> ParseLeadingReal(std::string_view line) {
    const std::string_view s = SkipBlanks(line, " \t");
    const NumberExtent n = MeasureNumber(s, true, true);
    if (n.Length == 0) return std::nullopt;
    return Convert<Real>(s.substr(0, n.Length));
}

std::optional<long> ParseLeadingInteger(std::string_view line) {
    std::optional<Real> value = ParseLeadingReal(line);
    if (!value || std::fabs(*value) > 2e9L) return std::nullopt;
    return static_cast<long>(std::trunc(*value));
}

std::optional<Real> ParseWholeReal(std::string_view text, const NumberTextRules& rules) {
    return ParseWhole<Real>(text, rules);
}

std::optional<double> ParseWholeDouble(std::string_view text, const NumberTextRules& rules) {
    return ParseWhole<double>(text, rules);
}

std::optional<long> ParseWholeInteger(std::string_view text, const NumberTextRules& rules) {
    return ParseWhole<long>(text, rules);
}

std::optional<unsigned long> ParseDigits(std::string_view text) {
    if (!IsAllDigits(text)) return std::nullopt;
    return Convert<unsigned long>(text);
}

bool IsAllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!IsDigit(c)) return false;
    return true;
}

std::optional<int> DigitsAt(std::string_view text, size_t at, size_t count) {
    if (at > text.size() || count > text.size() - at) return std::nullopt;
    int value = 0;
    for (char c : text.substr(at, count)) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

ScientificForm ScientificFormOf(Real x) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", std::fabs(x));
    const std::string text = buffer;
    const size_t e = text.find('e');
    if (e == std::string::npos) return {text, 0};
    return {text.substr(0, e), static_cast<int>(ParseLeadingInteger(std::string_view(text).substr(e + 1)).value_or(0))};
}

}  // namespace florimant
