#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "engine/astro_time.hpp"
#include "engine/chart.hpp"

using namespace florimant;

namespace {

EphemerisSettings PlainTheory(std::string node = "MEDIO") {
    EphemerisSettings s;
    s.NodeMode = std::move(node);
    s.ApplyCorrectionFiles = false;
    return s;
}

ChartData ChartOf(int day, int month, int year, int hour, int minute, Real correction, std::string coordinates,
                  const EphemerisSettings& settings = PlainTheory()) {
    ChartData c;
    SetSubjectFieldsForChart(c, day, month, year, hour, minute, correction, 1, std::move(coordinates));
    ComputeChartFromSubjectFields(ProgramFolder("/nonexistent"), settings, c);
    return c;
}

}  // namespace

TEST(ChartDriver, FillsTheChartInTheFinalBodyOrder) {
    // 1 January 2000, 13:00 Italian standard time at Milan: 12:00 UT.
    ChartData c = ChartOf(1, 1, 2000, 13, 0, -1, "45N28-009E11");
    EXPECT_EQ(c.BirthDateText, "01/01/2000 13:00");
    EXPECT_NEAR(c.JulianDayUT, 2451545.0L, 1e-9L);
    EXPECT_EQ(c.JulianDayText, "JD=2451545");
    EXPECT_EQ(c.ZoneText, "+1.00");
    EXPECT_EQ(c.HouseSystem, "CASE_MEDIE");
    EXPECT_EQ(c.HourInt, 13);
    EXPECT_EQ(c.MinuteInt, 0);
    EXPECT_EQ(c.LatitudeDegrees, 45);
    EXPECT_EQ(c.LatitudeMinutes, 28);
    EXPECT_EQ(c.NorthSouth, "N");
    EXPECT_EQ(c.LongitudeDegrees, 9);
    EXPECT_EQ(c.LongitudeMinutes, 11);
    EXPECT_EQ(c.EastWest, "E");

    EXPECT_NEAR(c.Longitude[Body::Sun], 280.37L, 0.02L);
    // Nodes, Ascendant and Midheaven take 8..11; the Ascendant point 13 stays.
    ChartData bodies;
    bodies.HouseCusps = c.HouseCusps;
    ComputeBodies(ProgramFolder("/nonexistent"), PlainTheory(), 0, 0, c.JulianDayUT, bodies);
    EXPECT_EQ(c.Longitude[Body::NorthNode], bodies.Longitude[Body::LunarNode]);
    EXPECT_NEAR(c.Longitude[Body::SouthNode], Normalize360(bodies.Longitude[Body::LunarNode] + 180), 1e-12L);
    EXPECT_EQ(c.Longitude[Body::Ascendant], c.HouseCusps[1]);
    EXPECT_NEAR(c.Longitude[Body::Midheaven], c.MidheavenRad / DegToRad, 1e-12L);
    EXPECT_EQ(c.Longitude[Body::AscendantPoint], c.HouseCusps[1]);
    EXPECT_EQ(c.Longitude[Body::BlackMoon], bodies.Longitude[Body::BlackMoon]);
    for (int i = Body::NorthNode; i <= Body::Midheaven; ++i) EXPECT_EQ(c.Latitude[i], 0) << i;
    // The mean node always moves backwards, so both nodes are retrograde.
    EXPECT_EQ(c.RetroFlags[Body::NorthNode], 'r');
    EXPECT_EQ(c.RetroFlags[Body::SouthNode], 'r');
    for (int i = 1; i <= Body::Count; ++i) {
        EXPECT_GE(c.Longitude[i], 0) << i;
        EXPECT_EQ(c.BodySigns[i], static_cast<int>(c.Longitude[i] / 30) + 1) << i;
    }
    for (int i = 20; i <= Body::Count; ++i) EXPECT_EQ(c.Longitude[i], 0);
}

TEST(ChartDriver, RetrogradeFlagsOnlyForTheFirstNineBodiesAndTheNodes) {
    ChartData c;
    c.JulianDayUT = 2451545.0L;
    c.HouseCusps[1] = 15;
    c.MidheavenRad = 280 * DegToRad;
    for (int i = 1; i <= 19; ++i) c.Longitude[i] = -(10.0L * i);  // everything retrograde ...
    c.Longitude[Body::LunarNode] = 200;                           // ... but the node
    ArrangeChartBodies(c);
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(c.RetroFlags[i], 'r') << i;
    // Uranus and Neptune's own states never reach the final chart.
    EXPECT_EQ(c.RetroFlags[Body::NorthNode], ' ');
    EXPECT_EQ(c.RetroFlags[Body::SouthNode], ' ');
    for (int i = 10; i <= Body::Count; ++i) EXPECT_EQ(c.RetroFlags[i], ' ') << i;
    EXPECT_EQ(c.Longitude[Body::NorthNode], 200);
    EXPECT_EQ(c.Longitude[Body::SouthNode], 20);
    EXPECT_EQ(c.Longitude[Body::Ascendant], 15);
    EXPECT_NEAR(c.Longitude[Body::Midheaven], 280, 1e-12L);
    EXPECT_EQ(c.Longitude[Body::Ceres], 150);
    // Signs follow the final order: 8 is the north node's sign, 10 the Ascendant's.
    EXPECT_EQ(c.BodySigns[Body::NorthNode], 7);
    EXPECT_EQ(c.BodySigns[Body::SouthNode], 1);
    EXPECT_EQ(c.BodySigns[Body::Ascendant], 1);
    EXPECT_EQ(c.BodySigns[Body::Midheaven], 10);
    EXPECT_EQ(c.BodySigns[Body::Chiron], 7);
}

TEST(ChartDriver, AsteroidsOnlyFrom1850To2080) {
    auto arrange = [](Real jd) {
        ChartData c;
        c.JulianDayUT = jd;
        for (int i = 1; i <= 19; ++i) c.Longitude[i] = -(10.0L * i + 1);
        ArrangeChartBodies(c);
        return c;
    };
    for (Real jd : {2396758.4L, 2481129.6L}) {
        ChartData c = arrange(jd);
        for (int i = Body::Ceres; i <= Body::Chiron; ++i) {
            EXPECT_EQ(c.Longitude[i], 0) << i;
            EXPECT_EQ(c.RetroFlags[i], ' ') << i;
            EXPECT_EQ(c.BodySigns[i], 1) << i;
        }
        EXPECT_EQ(c.Longitude[Body::Saturn], 71);
        EXPECT_EQ(c.Longitude[Body::LatitudeZero], 141);
    }
    for (Real jd : {2396758.5L, 2481129.5L}) EXPECT_EQ(arrange(jd).Longitude[Body::Chiron], 191);

    // A subject born in 1849: no asteroids, the rest as computed.
    ChartData c = ChartOf(31, 12, 1849, 12, 0, 0, "45N28-009E11");
    for (int i = Body::Ceres; i <= Body::Chiron; ++i) EXPECT_EQ(c.Longitude[i], 0);
    ChartData plain;
    ComputeBodies(ProgramFolder("/nonexistent"), PlainTheory(), 0, 0, c.JulianDayUT, plain);
    EXPECT_EQ(c.Longitude[Body::Mars], std::fabs(plain.Longitude[Body::Mars]));
}

TEST(ChartDriver, ZoneAndJulianDayTexts) {
    ChartData c = ChartOf(1, 1, 2000, 12, 34, 0, "45N28-009E11");
    EXPECT_EQ(c.ZoneText, "+0.00");
    EXPECT_EQ(c.JulianDayText, "JD=2451545.0236");  // eight decimals show four
    EXPECT_EQ(ChartOf(1, 7, 1990, 7, 0, 5, "40N43-074W00").ZoneText, "-5.00");
    EXPECT_EQ(ChartOf(1, 7, 1990, 7, 0, -1.5L, "40N43-074W00").ZoneText, "+1.50");
}

TEST(ChartDriver, ReadsSouthernAndWesternCoordinates) {
    ChartData c = ChartOf(15, 6, 1975, 8, 30, 10, "33s52-151w12");
    EXPECT_EQ(c.NorthSouth, "S");
    EXPECT_EQ(c.EastWest, "W");
    EXPECT_EQ(c.LatitudeDegrees, 33);
    EXPECT_EQ(c.LongitudeDegrees, 151);
    EXPECT_EQ(c.LongitudeMinutes, 12);
}

TEST(ChartDriver, RefusesTextsItCannotRead) {
    for (const char* coordinates :
         {"45X28-009E11", "45N28-009E1", "", "4SN28-009E11", "45N28-009Q11", "95N28-009E11"}) {
        ChartData c;
        SetSubjectFieldsForChart(c, 1, 1, 2000, 12, 0, 0, 1, coordinates);
        EXPECT_THROW(ComputeChartFromSubjectFields(ProgramFolder("/nonexistent"), PlainTheory(), c),
                     std::invalid_argument)
            << coordinates;
    }
    for (const char* date :
         {"1/1/2000 12:00", "01/13/2000 12:00", "01/01/2000 25:00", "01/01/2000", "aa/01/2000 12:00"}) {
        ChartData c;
        SetSubjectFieldsForChart(c, 1, 1, 2000, 12, 0, 0, 1, "45N28-009E11");
        c.BirthDateText = date;
        EXPECT_THROW(ComputeChartFromSubjectFields(ProgramFolder("/nonexistent"), PlainTheory(), c),
                     std::invalid_argument)
            << date;
    }
}

TEST(ChartDriver, SubjectFieldsLikeTheArchiveWritesThem) {
    ChartData c;
    SetSubjectFieldsForChart(c, 5, 3, 1961, 7, 45, -1.5L, 0, "41N54-012E29");
    EXPECT_EQ(c.DateField, "196103050745-1,5");
    EXPECT_EQ(c.BirthDateText, "05/03/1961 07:45");
    EXPECT_EQ(c.CorrectionText, "-1,5");
    EXPECT_EQ(c.CalendarFlag, 0);
    SetSubjectFieldsForChart(c, 5, 3, 1961, 7, 45, -0.0L, 1, "41N54-012E29");
    EXPECT_EQ(c.CorrectionText, "+0");
}
