#pragma once
#include <string>
#include <string_view>

// Texts inside the data files are single-byte Windows-1252; the program works in UTF-8.
// The conversion happens only at the file boundary.
namespace florimant {

std::string Cp1252ToUtf8(std::string_view bytes);
// Characters that Windows-1252 cannot hold become "?"; malformed UTF-8 bytes are taken as
// Windows-1252 bytes, so a text already in the single-byte form passes unchanged.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace florimant
