#include "common/real_formats.hpp"

#include <cmath>
#include <limits>

namespace florimant {

Real DecodeReal48(std::span<const uint8_t, 6> b) {
    if (b[0] == 0) return 0;
    uint64_t mantissa = 0;
    for (int i = 5; i >= 1; --i) mantissa = (mantissa << 8) | b[i];
    const bool negative = (mantissa >> 39) & 1;
    mantissa &= (uint64_t{1} << 39) - 1;
    Real fraction = 1.0L + std::ldexp(static_cast<Real>(mantissa), -39);
    Real value = std::ldexp(fraction, static_cast<int>(b[0]) - 129);
    return negative ? -value : value;
}

Real48Bytes EncodeReal48(Real value) {
    Real48Bytes out{};
    if (value == 0 || std::isnan(value)) return out;
    const bool negative = std::signbit(value);
    Real magnitude = std::fabs(value);
    int exponent = 0;
    Real fraction = std::frexp(magnitude, &exponent);  // fraction in [0.5, 1)
    // value = (2 * fraction) * 2^(exponent - 1); stored mantissa = (2 * fraction - 1) * 2^39
    uint64_t mantissa = static_cast<uint64_t>(std::llround(std::ldexp(2 * fraction - 1, 39)));
    if (mantissa >> 39) {  // rounding carried into the implied bit
        mantissa = 0;
        ++exponent;
    }
    int biased = exponent - 1 + 129;
    if (biased < 1) return out;  // below the smallest Real48: zero
    if (biased > 255 || std::isinf(value)) {
        biased = 255;
        mantissa = (uint64_t{1} << 39) - 1;
    }
    if (negative) mantissa |= uint64_t{1} << 39;
    out[0] = static_cast<uint8_t>(biased);
    for (int i = 1; i <= 5; ++i) out[i] = static_cast<uint8_t>(mantissa >> (8 * (i - 1)));
    return out;
}

Real DecodeExtended(std::span<const uint8_t, 10> b) {
    uint64_t significand = 0;
    for (int i = 7; i >= 0; --i) significand = (significand << 8) | b[i];
    const int signExp = b[8] | (b[9] << 8);
    const bool negative = signExp & 0x8000;
    const int exponent = signExp & 0x7FFF;
    Real value;
    if (exponent == 0x7FFF) {
        value =
            (significand << 1) == 0 ? std::numeric_limits<Real>::infinity() : std::numeric_limits<Real>::quiet_NaN();
    } else {
        // Denormals (exponent 0) use the exponent 1 - bias with no implied bit, which the explicit
        // integer bit of the format already carries.
        int e = (exponent == 0 ? 1 : exponent) - 16383 - 63;
        value = std::ldexp(static_cast<Real>(significand), e);
    }
    return negative ? -value : value;
}

ExtendedBytes EncodeExtended(Real value) {
    ExtendedBytes out{};
    const bool negative = std::signbit(value);
    int exponentField = 0;
    uint64_t significand = 0;
    if (std::isnan(value)) {
        exponentField = 0x7FFF;
        significand = 0xC000000000000000ULL;
    } else if (std::isinf(value)) {
        exponentField = 0x7FFF;
        significand = 0x8000000000000000ULL;
    } else if (value != 0) {
        int exponent = 0;
        Real fraction = std::frexp(std::fabs(value), &exponent);  // [0.5, 1)
        exponentField = exponent - 1 + 16383;
        if (exponentField <= 0) {  // denormal: shift the significand right instead
            significand = static_cast<uint64_t>(std::ldexp(fraction, 64 + exponentField - 1));
            exponentField = 0;
        } else if (exponentField >= 0x7FFF) {
            exponentField = 0x7FFF;
            significand = 0x8000000000000000ULL;
        } else {
            // Exact when Real is the 80-bit type; for a double it only widens.
            significand = static_cast<uint64_t>(std::ldexp(fraction, 64));
        }
    }
    for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(significand >> (8 * i));
    const int signExp = exponentField | (negative ? 0x8000 : 0);
    out[8] = static_cast<uint8_t>(signExp);
    out[9] = static_cast<uint8_t>(signExp >> 8);
    return out;
}

}  // namespace florimant
