#pragma once
#include <string>
#include <string_view>

// Trimming of the short texts of the data files and the edit boxes. Blanks are spaces unless a
// caller names others (the number texts of the settings files also allow tabs).
namespace florimant {

std::string WithoutLeadingBlanks(std::string_view text, std::string_view blanks = " ");
std::string WithoutTrailingBlanks(std::string_view text, std::string_view blanks = " ");
std::string WithoutBlanksAround(std::string_view text, std::string_view blanks = " ");
// Empty or spaces only.
bool IsBlank(std::string_view text);

// Removes the leading spaces in place.
void TrimLeadingBlanks(std::string& s);

// TrimTrailingJunk: up to ten times, the last character goes when it is not ")", ".",
// a letter a-z or A-Z, a digit or one of à é è ù ò ì; so trailing blanks, line ends and other
// punctuation go, at most ten characters in all. The text is UTF-8 and a character is a whole
// sequence (a degree sign goes in one removal).
void TrimTrailingJunk(std::string& utf8);
std::string WithoutTrailingJunk(std::string_view utf8);
// The same rule on the Windows-1252 bytes of a record, one byte a character.
std::string WithoutTrailingJunkCp1252(std::string_view cp1252);

}  // namespace florimant
