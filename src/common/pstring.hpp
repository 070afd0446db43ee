#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The fixed-capacity text field of every record file: one length byte L followed by N bytes of
// which the first L are the text (capacity N occupies N + 1 bytes). Texts are kept here exactly as
// stored (Windows-1252 bytes).
namespace florimant {

// Reads the field at `at` of capacity `capacity`. A length byte above the capacity is clamped to it
// (the field is never read past its end); `overlong`, when given, tells whether that happened.
std::string ReadPString(std::span<const uint8_t> record, size_t at, size_t capacity, bool* overlong = nullptr);
// Writes text cut to the capacity; the bytes after it are set to 0.
void WritePString(std::span<uint8_t> record, size_t at, size_t capacity, std::string_view text);

}  // namespace florimant
