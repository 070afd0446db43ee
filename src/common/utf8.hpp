#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Walking, cutting and decoding UTF-8 texts, and the upper-casing the program applies to keys and
// names. A character runs from a byte that is not a continuation byte (10xxxxxx) up to the next
// such byte: in valid UTF-8 that is exactly one code point, and a damaged text is still cut only
// there, never inside a sequence.
namespace florimant {

inline bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Where the character that starts at byte `at` ends (text.size() at the most).
size_t NextCharacterStart(std::string_view text, size_t at);
// Where the last character starts (0 for an empty text).
size_t LastCharacterStart(std::string_view text);
size_t CharacterCount(std::string_view text);
// Characters from position `first` (0-based), at most `count` of them.
std::string CharacterSlice(std::string_view text, size_t first, size_t count = std::string::npos);
std::string FirstCharacters(std::string_view text, size_t count);
void RemoveLastCharacter(std::string& text);

// One encoded character as the bytes announce it: the lead byte gives the length (1 to 4 for the
// lead bytes 00-7F, C0-DF, E0-EF, F0-F7). `Complete` is false for a byte that cannot lead a
// sequence (a continuation byte, F8-FF) and for a sequence cut short; `Length` then covers the lead
// byte and the continuation bytes that do follow it. The code point is assembled as the bytes say,
// so an over-long form gives the value it spells; callers that must refuse those check it.
struct Utf8Character {
    char32_t CodePoint = 0;  // meaningful only when Complete
    size_t Length = 1;
    bool Complete = false;
};
Utf8Character DecodeUtf8(std::string_view text, size_t at);  // at < text.size()
void AppendUtf8(std::string& out, char32_t codePoint);

// Upper case of the letters a-z only; every other byte stays, so accented letters of Windows-1252
// and every multi-byte UTF-8 character pass unchanged.
inline char UpperCaseAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string UpperCaseAscii(std::string_view text);
// The same in place.
void UpperCaseInPlace(std::string& s);
// Lower case of the letters A-Z only (file names and extensions).
inline char LowerCaseAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
std::string LowerCaseAscii(std::string_view text);

}  // namespace florimant
