#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/astro_time.hpp"

using namespace florimant;

// The quick reduction gives the library's values to extended precision (differences taken in
// extended precision), and on quarter turns the same sign of the tiny remainder that the house
// formulas decide quadrants by.
TEST(Trigonometry, QuickReductionAgreesWithTheLibrary) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> degrees(-500000, 500000), radians(-20000, 20000);
    for (int i = 0; i < 20000; ++i) {
        const Real d = degrees(rng), r = radians(rng);
        EXPECT_LT(std::fabs(SinDeg(d) - std::sin(std::fmod(d, 360.0L) * Pi / 180)), 1e-18L);
        EXPECT_LT(std::fabs(CosDeg(d) - std::cos(std::fmod(d, 360.0L) * Pi / 180)), 1e-18L);
        EXPECT_LT(std::fabs(SinRad(r) - std::sin(r)), 1e-18L);
        EXPECT_LT(std::fabs(CosRad(r) - std::cos(r)), 1e-18L);
    }
    for (Real quarter : {90.0L, 180.0L, -270.0L, 360.0L, 450.0L}) {
        const Real library[2] = {std::sin(std::fmod(quarter, 360.0L) * Pi / 180),
                                 std::cos(std::fmod(quarter, 360.0L) * Pi / 180)};
        const Real quick[2] = {SinDeg(quarter), CosDeg(quarter)};
        for (int k = 0; k < 2; ++k) {
            EXPECT_LT(std::fabs(quick[k] - library[k]), 1e-22L) << static_cast<double>(quarter);
            EXPECT_EQ(std::signbit(quick[k]), std::signbit(library[k])) << static_cast<double>(quarter);
        }
    }
    EXPECT_TRUE(std::isnan(SinDeg(INFINITY)));
}
