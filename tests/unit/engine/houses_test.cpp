#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "engine/astro_time.hpp"
#include "engine/houses.hpp"

namespace florimant {
namespace {

using Cusps = std::array<double, 12>;  // cusps 1..12

double AngleDifference(Real a, Real b) {
    double d = std::fmod(std::fabs(static_cast<double>(a - b)), 360.0);
    return d > 180 ? 360 - d : d;
}

void ExpectCusps(const ChartData& chart, const Cusps& expected, double tolerance, const std::string& what) {
    for (int i = 1; i <= 12; ++i)
        EXPECT_LT(AngleDifference(chart.HouseCusps[i], expected[i - 1]), tolerance)
            << what << " cusp " << i << ": " << static_cast<double>(chart.HouseCusps[i]) << " vs " << expected[i - 1];
}

ChartData HousesAt(Real ramc, Real latitude, const char* system, Real obliquity = 23.44L) {
    ChartData chart;
    ComputeHousesFromRamc(ramc, latitude, obliquity, system, chart);
    return chart;
}

double Degrees(Real radians) { return static_cast<double>(radians / DegToRad); }

// Reference cusps at RAMC 123.45°, latitude 45.5° N, obliquity 23.44°, from an independent
// implementation of each system.
TEST(Houses, EverySystemAtAMidLatitude) {
    struct Case {
        const char* system;
        Cusps cusps;
        double tolerance;
    };
    const Case cases[] = {
        {"PLACIDO",
         {205.220246, 232.638466, 265.192437, 301.220645, 334.947677, 2.905456, 25.220246, 52.638466, 85.192437,
          121.220645, 154.947677, 182.905456},
         2e-6},
        {"KOCH",
         {205.220246, 233.085300, 262.603746, 301.220645, 329.161052, 357.164098, 25.220246, 53.085300, 82.603746,
          121.220645, 149.161052, 177.164098},
         2e-6},
        {"REGIOMONT",
         {205.220246, 229.624669, 261.612063, 301.220645, 336.400552, 2.720619, 25.220246, 49.624669, 81.612063,
          121.220645, 156.400552, 182.720619},
         2e-6},
        {"PORFIRIO",
         {205.220246, 237.220379, 269.220512, 301.220645, 329.220512, 357.220379, 25.220246, 57.220379, 89.220512,
          121.220645, 149.220512, 177.220379},
         2e-6},
        {"CAMPANO",
         {205.220246, 238.675688, 271.740626, 301.220645, 328.026563, 355.098949, 25.220246, 58.675688, 91.740626,
          121.220645, 148.026563, 175.098949},
         2e-5},
        {"MORINO",
         {211.220645, 241.426633, 273.759458, 305.755852, 335.371511, 3.165901, 31.220645, 61.426633, 93.759458,
          125.755852, 155.371511, 183.165901},
         2e-5},
        {"CASE_UGUALI",
         {205.220246, 235.220246, 265.220246, 295.220246, 325.220246, 355.220246, 25.220246, 55.220246, 85.220246,
          115.220246, 145.220246, 175.220246},
         2e-6},
    };
    for (const Case& c : cases) {
        const ChartData chart = HousesAt(123.45L, 45.5L, c.system);
        ExpectCusps(chart, c.cusps, c.tolerance, c.system);
        EXPECT_NEAR(Degrees(chart.AscendantRad), 205.220246, 2e-6) << c.system;
        EXPECT_NEAR(Degrees(chart.MidheavenRad), 121.220645, 2e-6) << c.system;
        EXPECT_EQ(chart.HouseSystem, c.system);
        EXPECT_NEAR(static_cast<double>(chart.SiderealTime), 123.45 / 15, 1e-15);
    }
}

TEST(Houses, MedianHousesCentreOnTheAscendantAndKeepTheMidheavenApart) {
    const ChartData chart = HousesAt(123.45L, 45.5L, "CASE_MEDIE");
    for (int i = 1; i <= 12; ++i) EXPECT_NEAR(AngleDifference(chart.HouseCusps[i], 205.220246 + 30 * (i - 1)), 0, 2e-6);
    EXPECT_GT(AngleDifference(chart.HouseCusps[10], Degrees(chart.MidheavenRad)), 5);
    EXPECT_NEAR(Degrees(chart.MidheavenRad), 121.220645, 2e-6);
}

TEST(Houses, AnglesAgreeWithTheSphericalFormulas) {
    const Real obliquity = 23.4392819L;
    const Real e = obliquity * DegToRad;
    for (Real latitude : {-50.0L, -12.5L, 0.0L, 33.3L, 60.0L})
        for (int k = 0; k < 72; ++k) {
            const Real ramc = 5 * k + 0.25L;
            const ChartData chart = HousesAt(ramc, latitude, "ALCABIZIO", obliquity);
            const Real r = ramc * DegToRad;
            const Real asc =
                std::atan2(std::cos(r), -(std::sin(r) * std::cos(e) + std::tan(latitude * DegToRad) * std::sin(e)));
            const Real mc = std::atan2(std::sin(r), std::cos(r) * std::cos(e));
            EXPECT_LT(AngleDifference(chart.HouseCusps[1], Normalize360(asc / DegToRad)), 1e-9)
                << ramc << " " << latitude;
            EXPECT_LT(AngleDifference(chart.HouseCusps[10], Normalize360(mc / DegToRad)), 1e-9) << ramc;
            EXPECT_GE(chart.HouseCusps[1], 0);
            EXPECT_LT(chart.HouseCusps[1], 360);
        }
}

TEST(Houses, MeridianOnTheColures) {
    // tan RAMC is unbounded at 90° and 270°: the quadrant additions still give the solstice points.
    EXPECT_NEAR(HousesAt(90, 45, "PLACIDO").HouseCusps[10], 90, 1e-9);
    EXPECT_NEAR(HousesAt(270, 45, "PLACIDO").HouseCusps[10], 270, 1e-9);
    EXPECT_NEAR(HousesAt(180, 45, "PLACIDO").HouseCusps[10], 180, 1e-9);
    EXPECT_NEAR(HousesAt(0, 45, "PLACIDO").HouseCusps[10], 0, 1e-9);
    for (Real ramc : {0.0L, 90.0L, 180.0L, 270.0L}) {
        const ChartData chart = HousesAt(ramc, 45, "PLACIDO");
        for (int i = 1; i <= 12; ++i) EXPECT_TRUE(std::isfinite(static_cast<double>(chart.HouseCusps[i]))) << ramc;
        // The Ascendant lies a quarter circle or more ahead of the Midheaven.
        Real q = chart.HouseCusps[1] - chart.HouseCusps[10];
        if (q < 0) q += 360;
        EXPECT_GT(q, 0);
        EXPECT_LT(q, 180);
    }
}

TEST(Houses, QuadrantSystemsOpposeTheirCusps) {
    for (const char* system : {"PLACIDO", "KOCH", "REGIOMONT", "PORFIRIO", "CAMPANO", "MORINO", "CASE_UGUALI"})
        for (Real ramc : {7.0L, 100.0L, 222.0L, 333.0L}) {
            const ChartData chart = HousesAt(ramc, -41, system);
            for (int i = 1; i <= 6; ++i)
                EXPECT_NEAR(AngleDifference(chart.HouseCusps[i + 6], chart.HouseCusps[i] + 180), 0, 1e-6)
                    << system << " " << ramc << " " << i;
        }
}

TEST(Houses, SouthernBirthplaceMirrorsTheNorthernOne) {
    const Real jd = JulianDay(1, 12, 8, 1987, 14, 20) + 10.0L / 24;  // 14:20 at ten hours east of UT
    for (const char* system : {"PLACIDO", "KOCH", "REGIOMONT", "CAMPANO", "PORFIRIO"}) {
        ChartData south, mirrored;
        ComputeHouses(jd, 151, 12, "E", 33, 52, "S", 14, 20, -10, system, south);
        const Real ramc = 15 * south.SiderealTime;
        ComputeHousesFromRamc(ramc, -(33 + 52 / 60.0L), MeanObliquity(JulianCenturies(jd)), system, mirrored);
        for (int i = 1; i <= 12; ++i)
            EXPECT_NEAR(AngleDifference(south.HouseCusps[i], mirrored.HouseCusps[i]), 0, 1e-9) << system << i;
        // The same sky seen from the opposite latitude half a day later is turned by half a circle.
        const ChartData north = HousesAt(ramc + 180, 33 + 52 / 60.0L, system, MeanObliquity(JulianCenturies(jd)));
        for (int i = 1; i <= 12; ++i)
            EXPECT_NEAR(AngleDifference(north.HouseCusps[i], south.HouseCusps[i] + 180), 0, 1e-6) << system << i;
    }
    // Reference: Placidus at RAMC 300°, 33.9° S.
    ExpectCusps(HousesAt(300, -33.9L, "PLACIDO"),
                {25.214400, 53.629047, 84.842783, 117.910423, 150.504226, 180.000000, 205.214400, 233.629047,
                 264.842783, 297.910423, 330.504226, 0.000000},
                2e-6, "PLACIDO south");
}

TEST(Houses, EquatorialRegiomontanusKeepsItsQuadrants) {
    // Every pole is 0 at the equator, so the quadrant of each angle rests on a zero numerator.
    ExpectCusps(HousesAt(200, 0, "REGIOMONT"),
                {288.465936, 317.554812, 349.121154, 21.638608, 52.408954, 80.810535, 108.465936, 137.554812,
                 169.121154, 201.638608, 232.408954, 260.810535},
                2e-6, "REGIOMONT equator");
    ChartData chart;
    ComputeHouses(JulianDay(1, 1, 6, 1975, 9, 0), 36, 49, "E", 0, 0, "S", 12, 0, -3, "REGIOMONT", chart);
    ChartData north;
    ComputeHouses(JulianDay(1, 1, 6, 1975, 9, 0), 36, 49, "E", 0, 0, "N", 12, 0, -3, "REGIOMONT", north);
    for (int i = 1; i <= 12; ++i) EXPECT_NEAR(AngleDifference(chart.HouseCusps[i], north.HouseCusps[i]), 0, 1e-9);
}

TEST(Houses, PlacidusReachesItsCuspsUpToThePolarCircle) {
    ExpectCusps(HousesAt(10, 65, "PLACIDO"),
                {135.790905, 146.827321, 163.424758, 190.878846, 239.318682, 288.853164, 315.790905, 326.827321,
                 343.424758, 10.878846, 59.318682, 108.853164},
                2e-6, "PLACIDO 65N");
}

TEST(Houses, PolarLatitudesStillGiveCusps) {
    for (const char* system : {"KOCH", "PLACIDO", "REGIOMONT", "CAMPANO", "PORFIRIO", "MORINO", "CASE_MEDIE"})
        for (Real latitude : {70.0L, -70.0L, 89.0L, 90.0L, 270.0L})
            for (Real ramc : {0.0L, 45.0L, 135.0L, 300.0L}) {
                const ChartData chart = HousesAt(ramc, latitude, system);
                for (int i = 1; i <= 12; ++i) {
                    EXPECT_TRUE(std::isfinite(static_cast<double>(chart.HouseCusps[i]))) << system << latitude << ramc;
                    EXPECT_GE(chart.HouseCusps[i], 0);
                    EXPECT_LT(chart.HouseCusps[i], 360);
                }
            }
    // Koch's third division is the Ascendant itself, substitute or not.
    const ChartData koch = HousesAt(45, 70, "KOCH");
    EXPECT_NEAR(AngleDifference(koch.HouseCusps[1], Degrees(koch.AscendantRad)), 0, 1e-9);
}

TEST(Houses, UnknownSystemRefreshesOnlyTheAngles) {
    for (const char* system : {"ALCABIZIO", "TOPOCENTRICO", ""}) {
        ChartData chart = HousesAt(123.45L, 45.5L, "PLACIDO");
        const auto before = chart.HouseCusps;
        ComputeHousesFromRamc(10, 20, 23.44L, system, chart);
        EXPECT_EQ(chart.HouseSystem, system);
        for (int i : {2, 3, 4, 5, 6, 7, 8, 9, 11, 12}) EXPECT_EQ(chart.HouseCusps[i], before[i]) << system << i;
        EXPECT_NEAR(chart.HouseCusps[10], Degrees(chart.MidheavenRad), 1e-12);
        EXPECT_NEAR(chart.HouseCusps[1], Degrees(chart.AscendantRad), 1e-12);
        EXPECT_NE(chart.HouseCusps[10], before[10]);
    }
}

TEST(Houses, MomentAndPlaceGiveTheLocalSiderealTime) {
    // 1 January 2000, 13:00 local time in Rome (one hour east), 12:00 UT.
    const Real jd = JulianDay(1, 1, 1, 2000, 12, 0);
    ChartData chart;
    ComputeHouses(jd, 12, 30, "E", 41, 54, "N", 13, 0, -1, "PLACIDO", chart);
    EXPECT_NEAR(static_cast<double>(chart.SiderealTime), 18.697351 + 12.5 / 15, 1e-5);
    // West longitudes count as 360 - L, whether written "O" or "W".
    ChartData west, ovest;
    ComputeHouses(jd, 74, 0, "W", 40, 43, "N", 7, 0, 5, "KOCH", west);
    ComputeHouses(jd, 74, 0, "O", 40, 43, "N", 7, 0, 5, "KOCH", ovest);
    EXPECT_NEAR(static_cast<double>(west.SiderealTime), 18.697351 - 74.0 / 15, 1e-5);
    EXPECT_EQ(west.HouseCusps, ovest.HouseCusps);
    EXPECT_EQ(west.HouseSystem, "KOCH");
}

}  // namespace
}  // namespace florimant
