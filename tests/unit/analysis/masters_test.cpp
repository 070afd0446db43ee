#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "analysis/masters.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "engine/chart.hpp"

using namespace florimant;

namespace {

const ProgramFolder& Installation() {
    static const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    return folder;
}

// Rome, clock time of Italian summer time (UT = clock - 2 h) unless told.
ChartData RomeChart(int day, int month, int year, int hour, int minute, Real correction = -2) {
    ChartData chart;
    SetSubjectFieldsForChart(chart, day, month, year, hour, minute, correction, 1, "41N54-012E29");
    ComputeChartFromSubjectFields(Installation(), EphemerisSettings{}, chart);
    return chart;
}

// Minutes of the UT clock of a Julian Day.
double UtMinutes(Real jd) {
    const Real f = jd + 0.5L - std::floor(jd + 0.5L);
    return static_cast<double>(f * 1440);
}

}  // namespace

TEST(Masters, HourRulersFollowTheChaldeanOrder) {
    EXPECT_EQ(HourRuler(1, 0), 1);  // Sunday: Sun
    EXPECT_EQ(HourRuler(1, 1), 2);  // Monday: Moon
    EXPECT_EQ(HourRuler(1, 2), 5);  // Tuesday: Mars
    EXPECT_EQ(HourRuler(1, 3), 3);
    EXPECT_EQ(HourRuler(1, 4), 6);
    EXPECT_EQ(HourRuler(1, 5), 4);
    EXPECT_EQ(HourRuler(1, 6), 7);
    EXPECT_EQ(HourRuler(2, 1), 7);  // Monday's second hour: Saturn
    // The 25th hour would be the next day's first: Saturday's 24th hour is followed by the Sun.
    EXPECT_EQ(HourRuler(24, 6), 5);
    EXPECT_EQ(HourRuler(0, 1), 0);
    EXPECT_EQ(PlanetaryHourText(3), "Ora Planetaria: 3 Diurna");
    EXPECT_EQ(PlanetaryHourText(14), "Ora Planetaria: 2 Notturna");
    EXPECT_EQ("Governato " + RulerPhrase(SignRulerOfLongitude(315)), "Governato da Saturno");  // Aquarius
    EXPECT_EQ("Governato " + RulerPhrase(SignRulerOfLongitude(215)), "Governato da Marte");    // Scorpio
    EXPECT_EQ(YearRulerPhrase(0), "da Saturno");
    EXPECT_EQ(YearRulerPhrase(2), "della Luna");
}

TEST(Masters, YearMappingIntoTheTable) {
    EXPECT_EQ(YearIntoRulerCycle(1600), 1852);
    EXPECT_EQ(YearIntoRulerCycle(1989), 1989);
    EXPECT_EQ(YearIntoRulerCycle(2017), 1765);
    EXPECT_EQ(YearIntoRulerCycle(1), 1765);
    EXPECT_EQ(YearIntoRulerCycle(1764), 2016);
    EXPECT_EQ(YearIntoRulerCycle(2300), 2048 - 252);  // two cycles on, still inside the table
    const auto m = LookUpYearMasters(Installation(), 1852);
    EXPECT_EQ(m.Year, 1852);
    EXPECT_EQ(m.YearRuler, 1);   // 87 years after Saturn's 1765: Saturn, Jupiter, Mars, Sun
    EXPECT_EQ(m.CycleRuler, 5);  // 1837-1872: Mars
}

TEST(Masters, BirthsBeforeTheEquinoxBelongToThePreviousYear) {
    const ProgramFolder& folder = Installation();
    EXPECT_EQ(YearMasterYear(RomeChart(1, 3, 1990, 12, 0, -1)), 1989);
    EXPECT_EQ(YearMasterYear(RomeChart(15, 6, 1990, 12, 0)), 1990);
    EXPECT_EQ(YearMasterYear(RomeChart(20, 12, 1990, 12, 0, -1)), 1990);
    const auto masters = ComputeYearMasters(folder, RomeChart(1, 3, 1990, 12, 0, -1));
    EXPECT_EQ(masters.Year, 1989);
    EXPECT_EQ(masters.CycleRuler, 2);  // 1981-2016: Moon
}

// Both ends of a leap year (2000) and of a common one (2001), in universal time, and the hours
// around the equinoxes of 20 March 2000 (07:35 UT) and 20 March 2001 (13:31 UT).
TEST(Masters, TheYearOfABirthTurnsAtTheEquinoxAtEveryHour) {
    const auto year = [](int day, int month, int y, int hour, int minute) {
        return YearMasterYear(RomeChart(day, month, y, hour, minute, 0));
    };
    for (const int hour : {0, 6, 12, 19, 23}) {
        EXPECT_EQ(year(1, 1, 2000, hour, 30), 1999) << hour;
        EXPECT_EQ(year(1, 1, 2001, hour, 30), 2000) << hour;
        EXPECT_EQ(year(31, 12, 2000, hour, 30), 2000) << hour;
        EXPECT_EQ(year(31, 12, 2001, hour, 30), 2001) << hour;
    }
    EXPECT_EQ(year(29, 2, 2000, 12, 0), 1999);
    EXPECT_EQ(year(20, 3, 2000, 6, 30), 1999);
    EXPECT_EQ(year(20, 3, 2000, 8, 40), 2000);
    EXPECT_EQ(year(20, 3, 2001, 12, 25), 2000);
    EXPECT_EQ(year(20, 3, 2001, 14, 35), 2001);
    // Half past midnight of New Year's Day in Rome is still the old year in universal time, after
    // that year's equinox.
    EXPECT_EQ(YearMasterYear(RomeChart(1, 1, 2001, 0, 30, -1)), 2000);
    // 1999 is the Sun's year, 2000 the year of Venus: the first hours of 2000 are the Sun's.
    for (const int hour : {6, 19}) {
        const YearMasters masters = ComputeYearMasters(Installation(), RomeChart(1, 1, 2000, hour, 0, 0));
        EXPECT_EQ("Anno " + YearRulerPhrase(masters.YearRuler), "Anno del Sole") << hour;
    }
    EXPECT_EQ("Anno " + YearRulerPhrase(ComputeYearMasters(Installation(), RomeChart(1, 4, 2000, 12, 0)).YearRuler),
              "Anno di Venere");
}

TEST(Masters, SunriseAndPlanetaryHourOfAMondayMorning) {
    // Monday 19 June 2000, 10:00 summer time in Rome; the Sun rises about 03:35 UT.
    const ChartData chart = RomeChart(19, 6, 2000, 10, 0);
    const ChartData before = chart;
    const Real sunrise = FindSunrise(Installation(), {}, chart);
    EXPECT_NEAR(UtMinutes(sunrise), 3 * 60 + 38, 8);
    EXPECT_LT(std::fabs(static_cast<double>(sunrise - chart.JulianDayUT)), 1.0);
    const PlanetaryHour hour = ComputePlanetaryHour(Installation(), {}, chart);
    EXPECT_EQ(hour.Weekday, 1);
    EXPECT_EQ(hour.Hour, 4);   // 4 h 25 min after sunrise, day hours of about 76 minutes
    EXPECT_EQ(hour.Ruler, 5);  // Moon, Saturn, Jupiter, Mars
    // B1 is the Ascendant and B7 the Midheaven of the birth moment (within the sidereal drift
    // of the day).
    EXPECT_NEAR(std::remainder(static_cast<double>(hour.Boundaries[1] - chart.HouseCusps[1]), 360.0), 0, 1.5);
    EXPECT_NEAR(std::remainder(static_cast<double>(hour.Boundaries[7] - chart.Longitude[Body::Midheaven]), 360.0), 0,
                1.5);
    // The chart is left as it was.
    EXPECT_EQ(chart.Longitude, before.Longitude);
    EXPECT_EQ(chart.HouseCusps, before.HouseCusps);
}

TEST(Masters, FirstHourJustAfterSunrise) {
    // Monday 19 June 2000, 05:50 summer time: the Sun has just crossed the Ascendant.
    const ChartData chart = RomeChart(19, 6, 2000, 5, 50);
    const PlanetaryHour hour = ComputePlanetaryHour(Installation(), {}, chart);
    EXPECT_EQ(hour.Weekday, 1);
    EXPECT_EQ(hour.Hour, 1);
    EXPECT_EQ(hour.Ruler, 2);  // the Moon's day begins with the Moon's hour
    EXPECT_EQ("Governata " + RulerPhrase(hour.Ruler), "Governata dalla Luna");
}

TEST(Masters, NightBirthBelongsToThePlanetaryDayBefore) {
    // Tuesday 20 June 2000, 02:00 summer time: still Monday's night.
    const PlanetaryHour hour = ComputePlanetaryHour(Installation(), {}, RomeChart(20, 6, 2000, 2, 0));
    EXPECT_EQ(hour.Weekday, 1);
    EXPECT_GT(hour.Hour, 12);
}

TEST(Masters, BirthShortlyBeforeSunriseEastOfGreenwich) {
    // Tuesday 20 June 2000, 05:15 summer time in Rome, some twenty minutes before sunrise: still
    // Monday's last hour, ruled by Jupiter (Tuesday's first hour is Mars's).
    const PlanetaryHour hour = ComputePlanetaryHour(Installation(), {}, RomeChart(20, 6, 2000, 5, 15));
    EXPECT_EQ(hour.Weekday, 1);
    EXPECT_EQ(hour.Hour, 24);
    EXPECT_EQ(hour.Ruler, 6);
}

TEST(Masters, BadYearTableIsAnError) {
    const auto dir = std::filesystem::temp_directory_path() / ("florimant-years-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const ProgramFolder folder(dir);
    EXPECT_THROW(LookUpYearMasters(folder, 1900), std::exception);
    ReplaceTextFile(folder, YearRulerFile, {"19000x07"});
    EXPECT_THROW(LookUpYearMasters(folder, 1900), std::exception);
    ReplaceTextFile(folder, YearRulerFile, {"18990102", "19000304"});
    EXPECT_EQ(LookUpYearMasters(folder, 1950).YearRuler, 3);  // not found: the last line stands
    std::filesystem::remove_all(dir);
}
