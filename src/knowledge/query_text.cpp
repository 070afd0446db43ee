#include "knowledge/query_text.hpp"

#include "common/cp1252.hpp"
#include "engine/texts.hpp"

namespace florimant {

namespace {
// Where the character starting at byte i ends.
size_t NextCharacter(std::string_view text, size_t i) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    return i;
}
}  // namespace

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i = NextCharacter(text, i)) ++count;
    return count;
}

std::string CharacterSlice(std::string_view text, size_t first, size_t count) {
    size_t i = 0;
    for (size_t skipped = 0; skipped < first && i < text.size(); ++skipped) i = NextCharacter(text, i);
    size_t end = i;
    for (size_t taken = 0; taken < count && end < text.size(); ++taken) end = NextCharacter(text, end);
    return std::string(text.substr(i, end - i));
}

std::string CutCharacters(std::string_view text, size_t count) { return CharacterSlice(text, 0, count); }

std::string ToDisplay(std::string_view cp1252) { return Cp1252ToUtf8(cp1252); }
std::string ToStored(std::string_view utf8) { return Utf8ToCp1252(utf8); }

std::string ToStoredMultiline(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) text.push_back('\r');
        text.push_back(utf8[i]);
    }
    return Utf8ToCp1252(text);
}

std::string TrimmedJunk(std::string_view utf8) {
    std::string text(utf8);
    TrimTrailingJunk(text);
    return text;
}

bool EmptyAfterTrim(std::string_view utf8) { return TrimmedJunk(utf8).empty(); }

bool HasSpecificUseMarker(std::string_view name) {
    for (char digit = '1'; digit <= '9'; ++digit) {
        const char marker[] = {'(', digit, ')', '\0'};
        if (name.find(marker) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace florimant
