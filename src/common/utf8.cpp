#include "common/utf8.hpp"

namespace florimant {

size_t NextCharacterStart(std::string_view text, size_t at) {
    ++at;
    while (at < text.size() && IsUtf8Continuation(text[at])) ++at;
    return at < text.size() ? at : text.size();
}

size_t LastCharacterStart(std::string_view text) {
    if (text.empty()) return 0;
    size_t start = text.size() - 1;
    while (start > 0 && IsUtf8Continuation(text[start])) --start;
    return start;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i = NextCharacterStart(text, i)) ++count;
    return count;
}

std::string CharacterSlice(std::string_view text, size_t first, size_t count) {
    size_t begin = 0;
    for (size_t skipped = 0; skipped < first && begin < text.size(); ++skipped) begin = NextCharacterStart(text, begin);
    size_t end = begin;
    for (size_t taken = 0; taken < count && end < text.size(); ++taken) end = NextCharacterStart(text, end);
    return std::string(text.substr(begin, end - begin));
}

std::string FirstCharacters(std::string_view text, size_t count) { return CharacterSlice(text, 0, count); }

void RemoveLastCharacter(std::string& text) { text.erase(LastCharacterStart(text)); }

Utf8Character DecodeUtf8(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    Utf8Character c;
    size_t length = 0;
    if (lead < 0x80) {
        c.CodePoint = lead;
        length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
        c.CodePoint = lead & 0x1F;
        length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
        c.CodePoint = lead & 0x0F;
        length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
        c.CodePoint = lead & 0x07;
        length = 4;
    } else {
        return c;  // a continuation byte or F8-FF: one broken byte
    }
    size_t k = 1;
    for (; k < length && at + k < text.size() && IsUtf8Continuation(text[at + k]); ++k)
        c.CodePoint = (c.CodePoint << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    c.Length = k;
    c.Complete = k == length;
    return c;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | ((cp >> 18) & 0x07)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string UpperCaseAscii(std::string_view text) {
    std::string upper(text);
    UpperCaseInPlace(upper);
    return upper;
}

void UpperCaseInPlace(std::string& s) {
    for (char& c : s) c = UpperCaseAscii(c);
}

std::string LowerCaseAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = LowerCaseAscii(c);
    return lower;
}

}  // namespace florimant
