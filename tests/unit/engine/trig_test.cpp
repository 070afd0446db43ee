#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/astro_time.hpp"

using namespace florimant;

// The quick reduction must give the library's values to extended precision (differences taken in
// extended precision: a double comparison would hide them).
TEST(Trigonometry, QuickReductionAgreesWithTheLibrary) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> degrees(-500000, 500000), radians(-20000, 20000);
    for (int i = 0; i < 20000; ++i) {
        const Real d = degrees(rng), r = radians(rng);
        EXPECT_LT(std::fabs(SinDeg(d) - std::sin(std::fmod(d, 360.0L) * Pi / 180)), 1e-17L);
        EXPECT_LT(std::fabs(CosDeg(d) - std::cos(std::fmod(d, 360.0L) * Pi / 180)), 1e-17L);
        EXPECT_LT(std::fabs(SinRad(r) - std::sin(r)), 1e-16L);
        EXPECT_LT(std::fabs(CosRad(r) - std::cos(r)), 1e-16L);
    }
    for (Real quarter : {90.0L, 180.0L, -270.0L, 360.0L, 450.0L}) {
        EXPECT_EQ(SinDeg(quarter), std::sin(std::fmod(quarter, 360.0L) * Pi / 180)) << static_cast<double>(quarter);
        EXPECT_EQ(CosDeg(quarter), std::cos(std::fmod(quarter, 360.0L) * Pi / 180)) << static_cast<double>(quarter);
    }
    EXPECT_TRUE(std::isnan(SinDeg(INFINITY)));
}
