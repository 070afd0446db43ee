#include "common/trim.hpp"

#include <algorithm>

#include "common/utf8.hpp"

namespace florimant {

namespace {
constexpr int MostJunkRemoved = 10;

// The characters TrimTrailingJunk keeps at the end, by code point (the six accented letters have
// the same number in Windows-1252 and in Unicode).
bool IsKeptAtEnd(char32_t c) {
    if (c == ')' || c == '.') return true;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return c == U'à' || c == U'é' || c == U'è' || c == U'ù' || c == U'ò' || c == U'ì';
}

// Whether the bytes from `start` to the end are one whole character that stays, in its shortest
// form (every kept character is below U+0800: one byte for ASCII, two for the accented letters).
bool LastCharacterIsKept(std::string_view utf8, size_t start) {
    const Utf8Character c = DecodeUtf8(utf8, start);
    const size_t shortest = c.CodePoint < 0x80 ? 1 : 2;
    return c.Complete && c.Length == shortest && start + c.Length == utf8.size() && IsKeptAtEnd(c.CodePoint);
}

// How many bytes stay after TrimTrailingJunk.
size_t KeptLength(std::string_view utf8) {
    size_t end = utf8.size();
    for (int i = 0; i < MostJunkRemoved && end > 0; ++i) {
        const size_t start = LastCharacterStart(utf8.substr(0, end));
        if (LastCharacterIsKept(utf8.substr(0, end), start)) break;
        end = start;
    }
    return end;
}
}  // namespace

std::string WithoutLeadingBlanks(std::string_view text, std::string_view blanks) {
    const size_t first = text.find_first_not_of(blanks);
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string WithoutTrailingBlanks(std::string_view text, std::string_view blanks) {
    const size_t last = text.find_last_not_of(blanks);
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string WithoutBlanksAround(std::string_view text, std::string_view blanks) {
    return WithoutTrailingBlanks(WithoutLeadingBlanks(text, blanks), blanks);
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

void TrimLeadingBlanks(std::string& s) { s.erase(0, std::min(s.find_first_not_of(' '), s.size())); }

void TrimTrailingJunk(std::string& utf8) { utf8.erase(KeptLength(utf8)); }

std::string WithoutTrailingJunk(std::string_view utf8) { return std::string(utf8.substr(0, KeptLength(utf8))); }

std::string WithoutTrailingJunkCp1252(std::string_view cp1252) {
    size_t end = cp1252.size();
    for (int i = 0; i < MostJunkRemoved && end > 0; ++i) {
        if (IsKeptAtEnd(static_cast<unsigned char>(cp1252[end - 1]))) break;
        --end;
    }
    return std::string(cp1252.substr(0, end));
}

}  // namespace florimant
