// The year of the masters turns at the spring equinox: the moment the program's Sun comes back to
// 0° Aries against Swiss Ephemeris. The program's Sun is within 0.5' of Swiss Ephemeris over
// 1600-2100 (accuracy_bodies); at a degree a day that is 12.2 minutes of time, so the two
// equinoxes must agree within 15 minutes, and births 20 minutes before and after Swiss
// Ephemeris's equinox fall in the old and in the new year.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <cstdio>

#include "analysis/masters.hpp"
#include "engine/astro_time.hpp"
#include "engine/chart.hpp"
#include "engine/ephemeris.hpp"

using namespace florimant;

namespace {

const ProgramFolder& Installation() {
    static const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    return folder;
}

Real SunAt(Real jdUt) {
    ChartData chart;
    ComputeBodies(Installation(), EphemerisSettings{}, Body::Sun, 0, jdUt, chart);
    return chart.Longitude[Body::Sun];
}

// The moment the program's Sun crosses 0° Aries in the days around `guess`, by bisection.
Real ProgramEquinox(Real guess) {
    Real before = guess - 2, after = guess + 2;
    while (after - before > Real(1) / 86400) {
        const Real middle = (before + after) / 2;
        (SunAt(middle) >= 180 ? before : after) = middle;
    }
    return (before + after) / 2;
}

// A chart of a birth at the UT moment `jd` (whole minutes), in Rome.
ChartData ChartAt(Real jd) {
    const std::string text = JulianDayToText(jd + Real(0.5) / 1440);
    const auto field = [&](size_t at, size_t n) { return std::stoi(text.substr(at, n)); };
    ChartData chart;
    SetSubjectFieldsForChart(chart, field(0, 2), field(3, 2), field(6, 4), field(11, 2), field(14, 2), 0, 1,
                             "41N54-012E29");
    ComputeChartFromSubjectFields(Installation(), EphemerisSettings{}, chart);
    return chart;
}

}  // namespace

TEST(YearMastersAgainstSwissEphemeris, TheYearTurnsAtTheEquinox) {
    swe_set_ephe_path(const_cast<char*>(SWE_EPHE_DIR));
    for (const int year : {1765, 1900, 1990, 1999, 2000, 2001, 2016, 2024, 2050}) {
        char error[256] = "";
        const double start = swe_julday(year, 3, 1, 0.0, SE_GREG_CAL);
        const double swiss = swe_solcross_ut(0.0, start, SEFLG_SWIEPH, error);
        ASSERT_GE(swiss, start) << error;
        const Real ours = ProgramEquinox(swiss);
        const double minutes = (double(ours) - swiss) * 1440;
        std::printf("%d equinox: program - Swiss Ephemeris %+.1f min\n", year, minutes);
        EXPECT_LT(std::fabs(minutes), 15) << year;
        constexpr double Margin = 20.0 / 1440;
        EXPECT_EQ(YearMasterYear(ChartAt(swiss - Margin)), year - 1) << year;
        EXPECT_EQ(YearMasterYear(ChartAt(swiss + Margin)), year) << year;
    }
}
