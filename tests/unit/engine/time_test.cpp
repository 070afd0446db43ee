#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "engine/astro_time.hpp"

namespace florimant {
namespace {

TEST(JulianDay, CheckDates) {
    EXPECT_EQ(JulianDay(1, 1, 1, 2000, 12, 0), 2451545.0L);
    EXPECT_EQ(JulianDay(0, 4, 10, 1582, 0, 0), 2299159.5L);
    EXPECT_EQ(JulianDay(1, 15, 10, 1582, 0, 0), 2299160.5L);
    EXPECT_EQ(JulianDay(1, 30, 12, 1899, 0, 0), 2415018.5L);
    // January and February count in the previous year's March-based year.
    EXPECT_EQ(JulianDay(1, 1, 2, 2000, 0, 0), 2451575.5L);
    EXPECT_EQ(JulianDay(1, 29, 2, 2000, 0, 0) + 1, JulianDay(1, 1, 3, 2000, 0, 0));
    EXPECT_EQ(JulianDay(1, 31, 12, 1999, 0, 0) + 1, JulianDay(1, 1, 1, 2000, 0, 0));
}

TEST(JulianDay, TheReformDayIsFifteenOctober1582) {
    EXPECT_EQ(JulianDay(1, 15, 10, 1582, 12, 0), GregorianReformDay);
    EXPECT_EQ(JulianDay(1, 15, 10, 1582, 0, 0), GregorianReformMidnight);
    EXPECT_EQ(JulianDay(0, 4, 10, 1582, 12, 0), GregorianReformDay - 1);  // the last Julian day
    EXPECT_EQ(JulianDayToText(GregorianReformMidnight), "15/10/1582 00:00");
    EXPECT_EQ(JulianDayToText(GregorianReformMidnight - 0.5L), "04/10/1582 12:00");
}

TEST(JulianDay, CalendarFlagDecidesTheGregorianCorrection) {
    // The same civil date in the two calendars differs by 13 days in 2000 and 10 days in 1500.
    EXPECT_EQ(JulianDay(0, 1, 1, 2000, 0, 0) - JulianDay(1, 1, 1, 2000, 0, 0), 13);
    EXPECT_EQ(JulianDay(0, 1, 1, 1500, 0, 0) - JulianDay(1, 1, 1, 1500, 0, 0), 9);
    EXPECT_NEAR(JulianDay(1, 1, 1, 2000, 6, 30) - JulianDay(1, 1, 1, 2000, 0, 0), 6.5L / 24, 1e-12);
    // Years before zero: the extra day of the negative-year truncation.
    EXPECT_EQ(JulianDay(0, 1, 1, -4712, 12, 0), 0);
}

TEST(JulianDayToText, InvertsJulianDayAcrossTheCalendarReform) {
    EXPECT_EQ(JulianDayToText(2451545.0L), "01/01/2000 12:00");
    EXPECT_EQ(JulianDayToText(2299159.5L), "04/10/1582 00:00");
    EXPECT_EQ(JulianDayToText(2299160.5L), "15/10/1582 00:00");
    EXPECT_EQ(JulianDayToText(2451575.5L), "01/02/2000 00:00");
    EXPECT_EQ(JulianDayToText(JulianDay(1, 7, 3, 1974, 23, 45)), "07/03/1974 23:45");
    EXPECT_EQ(JulianDayToText(JulianDay(0, 12, 6, 1200, 8, 5)), "12/06/1200 08:05");
}

TEST(JulianDayToText, NeverShowsSixtyMinutes) {
    // 10:59:45 rounds to the 60th minute: the nudge moves it on to 11:00.
    const Real jd = JulianDay(1, 5, 5, 1990, 10, 59.75L);
    EXPECT_EQ(JulianDayToText(jd), "05/05/1990 11:00");
    // At the end of a day the nudge carries into the next day, month and year.
    EXPECT_EQ(JulianDayToText(JulianDay(1, 31, 12, 1999, 23, 59.9L)), "01/01/2000 00:00");
    EXPECT_EQ(JulianDayToText(JulianDay(1, 5, 5, 1990, 10, 59.4L)), "05/05/1990 10:59");
}

TEST(JulianDayToText, ByCalendarFollowsTheFlagWhateverTheDate) {
    const Real jd = JulianDay(0, 1, 1, 2000, 0, 0);
    EXPECT_EQ(JulianDayToTextByCalendar(jd, 0), "01/01/2000 00:00");
    EXPECT_EQ(JulianDayToTextByCalendar(jd, 1), "14/01/2000 00:00");
    const Real early = JulianDay(1, 1, 1, 1500, 0, 0);
    EXPECT_EQ(JulianDayToTextByCalendar(early, 1), "01/01/1500 00:00");
    EXPECT_EQ(JulianDayToText(early), "23/12/1499 00:00");
}

TEST(Weekday, NamesTheDayOfALocalJulianDay) {
    EXPECT_EQ(Weekday(JulianDay(1, 1, 1, 2000, 12, 0)), 6);  // Saturday
    EXPECT_EQ(WeekdayName(Weekday(JulianDay(1, 1, 1, 2000, 0, 0))), "Sabato");
    EXPECT_EQ(WeekdayName(Weekday(JulianDay(1, 3, 1, 2000, 23, 59))), "Lunedì");
    EXPECT_EQ(WeekdayName(Weekday(JulianDay(1, 15, 10, 1582, 0, 0))), "Venerdì");
    EXPECT_EQ(WeekdayName(Weekday(JulianDay(0, 4, 10, 1582, 0, 0))), "Giovedì");
    EXPECT_EQ(WeekdayName(7), "");
}

TEST(SiderealTime, MatchesTheAlmanacAndTheObliquity) {
    EXPECT_EQ(JulianCenturies(2451545.0L), 1);
    EXPECT_NEAR(MeanObliquity(1), 23.4392819L, 1e-15);
    // Greenwich mean sidereal time at 2000-01-01 12:00 UT is 18h 41m 50.55s; the linear model
    // of the program stays within a tenth of a second of it.
    EXPECT_NEAR(LocalSiderealTime(2451545.0L, 12, 0), 18.697374L, 3e-5);
    // One hour of longitude east is one hour of sidereal time; a west longitude is 360 - L.
    EXPECT_NEAR(LocalSiderealTime(2451545.0L, 12, 15), 19.697374L, 3e-5);
    EXPECT_NEAR(LocalSiderealTime(2451545.0L, 12, 345), 17.697374L, 3e-5);
    // A UT clock time below zero (local time before the correction) still reduces into 0..24.
    const Real lst = LocalSiderealTime(2451544.5L - 0.5L / 24, -0.5L, 0);
    EXPECT_GE(lst, 0);
    EXPECT_LT(lst, 24);
    EXPECT_NEAR(lst, 6.66 - 0.5 * 1.0027379, 0.01);
}

TEST(Angles, ReduceAndConvert) {
    EXPECT_EQ(Normalize360(-30), 330);
    EXPECT_EQ(Normalize360(720), 0);
    EXPECT_EQ(Normalize360(359.5L), 359.5L);
    EXPECT_LT(Normalize360(-1e-30L), 360);
    EXPECT_EQ(Normalize30(45), 15);
    EXPECT_EQ(Normalize30(-5), 25);
    EXPECT_NEAR(SinDeg(30), 0.5L, 1e-18);
    EXPECT_NEAR(CosDeg(60), 0.5L, 1e-18);
    EXPECT_NEAR(TanDeg(45), 1, 1e-18);
    EXPECT_NEAR(RadToDeg(ArcSinRad(0.5L)), 30, 1e-15);
    EXPECT_NEAR(RadToDeg(ArcSinRad(1)), 90, 1e-15);
    EXPECT_NEAR(RadToDeg(ArcCosRad(0.5L)), 60, 1e-15);
    // Negative arguments give a negative angle; callers add 180.
    EXPECT_NEAR(RadToDeg(ArcCosRad(-0.5L)), -60, 1e-15);
    EXPECT_FALSE(std::isnan(ArcSinRad(1 + 1e-15L)));
    EXPECT_EQ(DegToRad, Pi / 180);
}

TEST(FileDateText, LocalModificationTimeOrNonValida) {
    EXPECT_EQ(FileDateText("/nonexistent/florimant/file"), "Non Valida");
    const auto path = std::filesystem::temp_directory_path() / "florimant_filedate_test.txt";
    std::ofstream(path) << "x";
    // 2001-02-03 04:05 local time, built through the C library so the zone does not matter.
    std::tm local{};
    local.tm_year = 101;
    local.tm_mon = 1;
    local.tm_mday = 3;
    local.tm_hour = 4;
    local.tm_min = 5;
    local.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    std::filesystem::last_write_time(path, std::chrono::file_clock::from_sys(when));
    EXPECT_EQ(FileDateText(path), "03/02/2001 04:05");
    std::filesystem::remove(path);
}

TEST(TodayText, IsADate) {
    const std::string today = TodayText();
    ASSERT_EQ(today.size(), 10u);
    EXPECT_EQ(today[2], '/');
    EXPECT_EQ(today[5], '/');
}

TEST(WaitSeconds, WaitsAtLeastTheSpan) {
    const auto start = std::chrono::steady_clock::now();
    WaitSeconds(0, 30);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

}  // namespace
}  // namespace florimant
