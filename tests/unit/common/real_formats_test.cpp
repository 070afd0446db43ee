#include "common/real_formats.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace florimant;

TEST(Real48, DecodesHandBuiltBytes) {
    // 1.0: exponent 129, mantissa 0.
    const uint8_t one[6] = {129, 0, 0, 0, 0, 0};
    EXPECT_EQ(DecodeReal48(std::span<const uint8_t, 6>(one)), 1.0L);
    // -2.5 = -1.25 * 2^1: exponent 130, mantissa 0.25 * 2^39 = 2^37 -> byte 5 bit 5, plus sign bit.
    const uint8_t minusTwoAndHalf[6] = {130, 0, 0, 0, 0, 0x80 | 0x20};
    EXPECT_EQ(DecodeReal48(std::span<const uint8_t, 6>(minusTwoAndHalf)), -2.5L);
    // Exponent byte 0 is zero whatever the mantissa says.
    const uint8_t zero[6] = {0, 1, 2, 3, 4, 5};
    EXPECT_EQ(DecodeReal48(std::span<const uint8_t, 6>(zero)), 0.0L);
}

TEST(Real48, EncodesJulianDaysExactlyEnoughAndRoundTrips) {
    auto bytes = EncodeReal48(2415020.5L);
    EXPECT_EQ(DecodeReal48(bytes), 2415020.5L);  // halves of a day are exact in 39 bits
    EXPECT_EQ(EncodeReal48(0.0L), Real48Bytes{});
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> dist(-1e6, 1e6);
    for (int i = 0; i < 2000; ++i) {
        long double v = dist(rng);
        long double back = DecodeReal48(EncodeReal48(v));
        EXPECT_LE(std::fabs(back - v), std::fabs(v) * std::ldexp(1.0L, -39)) << static_cast<double>(v);
    }
}

TEST(Real48, RoundingCarriesIntoTheExponent) {
    long double justBelowTwo = 2.0L - std::ldexp(1.0L, -45);
    EXPECT_EQ(DecodeReal48(EncodeReal48(justBelowTwo)), 2.0L);
}

TEST(Extended, DecodesHandBuiltBytes) {
    // 1.0: significand 0x8000000000000000, exponent 16383.
    const uint8_t one[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(DecodeExtended(std::span<const uint8_t, 10>(one)), 1.0L);
    // -45.5 = -1.421875 * 2^5
    const uint8_t v[10] = {0, 0, 0, 0, 0, 0, 0, 0xB6, 0x04, 0xC0};
    EXPECT_EQ(DecodeExtended(std::span<const uint8_t, 10>(v)), -45.5L);
}

TEST(Extended, RoundTripsExactly) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> dist(-400, 400);
    for (int i = 0; i < 2000; ++i) {
        long double v = static_cast<long double>(dist(rng)) / 3.0L;
        EXPECT_EQ(DecodeExtended(EncodeExtended(v)), v);
    }
    EXPECT_EQ(DecodeExtended(EncodeExtended(0.0L)), 0.0L);
    EXPECT_TRUE(std::isinf(DecodeExtended(EncodeExtended(INFINITY))));
    EXPECT_TRUE(std::isnan(DecodeExtended(EncodeExtended(NAN))));
    long double tiny = std::ldexp(1.0L, -16400);  // denormal in the 80-bit format
    EXPECT_EQ(DecodeExtended(EncodeExtended(tiny)), tiny);
}
