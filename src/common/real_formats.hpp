#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "common/real.hpp"

// The two real formats of the data files, converted without relying on the layout of the
// compiler's own floating types.
//
// Real48 (6 bytes): byte 0 is the exponent biased by 129 (0 means the value 0); bytes 1..5 hold
// a 39-bit mantissa, least significant byte first, with an implied leading 1; the top bit of
// byte 5 is the sign. value = (-1)^s * (1 + m / 2^39) * 2^(e - 129).
//
// Extended (10 bytes): the IEEE 754 80-bit format: a 64-bit significand with an explicit
// integer bit (bytes 0..7), then a 15-bit exponent biased by 16383 and the sign (bytes 8..9).
namespace florimant {

using Real48Bytes = std::array<uint8_t, 6>;
using ExtendedBytes = std::array<uint8_t, 10>;

Real DecodeReal48(std::span<const uint8_t, 6> bytes);
// Rounds to the nearest 39-bit mantissa; values too small become 0, too large saturate.
Real48Bytes EncodeReal48(Real value);

// NaN decodes to a quiet NaN and infinities to infinities.
Real DecodeExtended(std::span<const uint8_t, 10> bytes);
ExtendedBytes EncodeExtended(Real value);

}  // namespace florimant
