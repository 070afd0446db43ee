#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/data_file_error.hpp"
#include "engine/astro_time.hpp"
#include "engine/correction_file_fixtures.hpp"
#include "engine/correction_files.hpp"
#include "engine/ephemeris.hpp"
#include "engine/moon.hpp"

using namespace florimant;
using florimant::testing::TempProgramFolder;

namespace {

EphemerisSettings PlainTheory(std::string node = "MEDIO") {
    EphemerisSettings s;
    s.NodeMode = std::move(node);
    s.BlackMoonMode = "MEDIA";
    s.ApplyCorrectionFiles = false;
    return s;
}

Real AngleDifference(Real a, Real b) { return std::remainder(a - b, 360.0L); }

ChartData Compute(Real jd, const EphemerisSettings& s = PlainTheory(), int which = 0) {
    ChartData c;
    ComputeBodies(ProgramFolder("/nonexistent"), s, which, 0, jd, c);
    return c;
}

// The file a computation asked for, or "" when it succeeded.
std::string MissingFile(const TempProgramFolder& t, const EphemerisSettings& s, Real jd) {
    ChartData c;
    try {
        ComputeBodies(ProgramFolder(t.path), s, 0, 0, jd, c);
    } catch (const DataFileError& e) {
        return e.file();
    }
    return "";
}

// Reference positions (apparent geocentric, degrees) from a modern numerical ephemeris:
// Sun .. Pluto, mean node, mean apogee; latitudes of Sun .. Pluto.
struct Reference {
    Real jd;
    Real longitude[12];
    Real latitude[10];
};
const Reference References[] = {
    {2451545.00L,
     {280.3689L, 223.3238L, 271.8893L, 241.5658L, 327.9633L, 25.2531L, 40.3957L, 314.8092L, 303.1930L, 251.4548L,
      125.0406L, 263.4643L},
     {0.0002L, 5.1707L, -0.9948L, 2.0663L, -1.0678L, -1.2622L, -2.4449L, -0.6583L, 0.2350L, 10.8552L}},
    {2433282.50L,
     {280.0049L, 61.4154L, 299.4473L, 316.9795L, 182.2112L, 306.5054L, 169.4374L, 92.6828L, 197.2661L, 137.7984L,
      12.1123L, 28.7793L},
     {0.0L, 3.7818L, -1.2244L, 0.6308L, 2.5125L, -0.5840L, 2.0062L, 0.2689L, 1.5917L, 8.2014L}},
    {2421000.50L,
     {55.7472L, 227.6229L, 76.6728L, 98.9009L, 144.6857L, 22.1723L, 103.2583L, 319.6779L, 120.2289L, 91.9240L,
      302.4959L, 100.6648L},
     {-0.0001L, -4.8496L, 2.0591L, 3.5423L, 1.6719L, -1.1181L, -0.2016L, -0.6940L, -0.2710L, -4.9093L}},
    {2460310.75L,
     {280.2937L, 158.9518L, 262.2418L, 242.9163L, 267.4937L, 35.5833L, 333.2657L, 49.3785L, 355.0798L, 299.3654L,
      20.8637L, 160.0012L},
     {0.0002L, 3.3795L, 3.0507L, 1.9424L, -0.5529L, -1.1842L, -1.6338L, -0.3060L, -1.2371L, -2.7676L}},
};

}  // namespace

TEST(TimeArguments, CountCenturiesFrom1900AndReduceAngles) {
    TimeArguments t = ComputeTimeArguments(2451545.0L);  // 1 January 2000 12:00 UT
    EXPECT_NEAR(t.d, 36525, 1e-9);
    EXPECT_NEAR(t.T, 1.0L, 1e-12);
    for (Real a : {t.MeanNode, t.SunMeanLongitude, t.MoonElongation, t.MoonPerigee, t.SunAnomaly, t.MoonMeanLongitude,
                   t.MoonAnomaly}) {
        EXPECT_GE(a, 0);
        EXPECT_LT(a, 360);
    }
    EXPECT_NEAR(t.SunMeanLongitude, 280.4658825L, 1e-9);
    // Nutation at J2000 is about -13.9 arcseconds.
    EXPECT_NEAR(t.Nutation * 3600, -13.9L, 0.5L);
}

TEST(Ephemeris, PlainTheoryAgreesWithAModernEphemeris) {
    for (const Reference& r : References) {
        SCOPED_TRACE(static_cast<double>(r.jd));
        ChartData c = Compute(r.jd);
        EXPECT_NEAR(AngleDifference(c.Longitude[Body::Sun], r.longitude[0]), 0, 0.01L);
        EXPECT_NEAR(AngleDifference(c.Longitude[Body::Moon], r.longitude[1]), 0, 0.1L);
        EXPECT_NEAR(c.Latitude[Body::Moon], r.latitude[1], 0.1L);
        for (int body = Body::Mercury; body <= Body::Pluto; ++body) {
            SCOPED_TRACE(body);
            EXPECT_NEAR(AngleDifference(c.Longitude[body], r.longitude[body - 1]), 0,
                        body == Body::Pluto ? 0.15L : 0.1L);
            EXPECT_NEAR(c.Latitude[body], r.latitude[body - 1], 0.1L);
        }
        EXPECT_NEAR(AngleDifference(c.Longitude[Body::LunarNode], r.longitude[10]), 0, 0.02L);
        EXPECT_NEAR(AngleDifference(c.Longitude[Body::BlackMoon], r.longitude[11]), 0, 0.25L);
        EXPECT_EQ(c.Latitude[Body::LunarNode], 0);
        EXPECT_EQ(c.Latitude[Body::BlackMoon], 0);
    }
}

TEST(Ephemeris, TrueNodeOscillatesAboutTheMeanNode) {
    for (Real jd = 2440000.5L; jd < 2441000; jd += 17.3L) {
        ChartData mean = Compute(jd, PlainTheory("MEDIO"));
        ChartData truth = Compute(jd, PlainTheory("VERO"));
        EXPECT_LT(std::fabs(AngleDifference(truth.Longitude[Body::LunarNode], mean.Longitude[Body::LunarNode])), 2.0L);
    }
    // The node body has its own polynomial (with a T³ term), close to but not the Moon's Ω.
    TimeArguments t = ComputeTimeArguments(2451545.0L);
    Real node = MeanLunarNode(t.T);
    EXPECT_NE(node, t.MeanNode);
    EXPECT_NEAR(AngleDifference(node, t.MeanNode), 0, 0.01L);
}

TEST(Ephemeris, OlderElementSetsApplyBeforeSeventeenHundred) {
    // T = -2 is JD 2342970: a jump there, nothing comparable a day away.
    const Real boundary = 2415020.0L - 2 * 36525.0L;
    ChartData before = Compute(boundary - 1e-6L);
    ChartData after = Compute(boundary + 1e-6L);
    ChartData dayLater = Compute(boundary + 1);
    ChartData twoDaysLater = Compute(boundary + 2);
    Real largestJump = 0;
    for (int body = Body::Jupiter; body <= Body::Pluto; ++body) {
        Real jump = std::fabs(AngleDifference(after.Longitude[body], before.Longitude[body]));
        Real daily = std::fabs(AngleDifference(twoDaysLater.Longitude[body], dayLater.Longitude[body]));
        largestJump = std::max(largestJump, jump / daily);
    }
    EXPECT_GT(largestJump, 1.0L);
    for (int body = Body::Mercury; body <= Body::Mars; ++body)
        EXPECT_NEAR(AngleDifference(after.Longitude[body], before.Longitude[body]), 0, 1e-5L);
}

TEST(Ephemeris, FittedCorrectionsOnlyFrom1900To2100) {
    for (Real boundary : {2415020.0L, 2415020.0L + 2 * 36525.0L}) {
        SCOPED_TRACE(static_cast<double>(boundary));
        ChartData inside = Compute(boundary + (boundary < 2450000 ? 1e-6L : -1e-6L));
        ChartData outside = Compute(boundary + (boundary < 2450000 ? -1e-6L : 1e-6L));
        for (int body = Body::Jupiter; body <= Body::Pluto; ++body)
            EXPECT_GT(std::fabs(AngleDifference(inside.Longitude[body], outside.Longitude[body])), 0.001L) << body;
        EXPECT_NEAR(AngleDifference(inside.Longitude[Body::Mars], outside.Longitude[Body::Mars]), 0, 1e-5L);
    }
}

TEST(Ephemeris, LatitudesStayWithinNinetyDegreesAndKeepTheirHemisphere) {
    // Pallas, far out of the ecliptic, and Juno reach northern latitudes above any fixed limit
    // near the ecliptic; they must stay northern.
    Real highestPallas = -90, lowestPallas = 90;
    for (Real jd = 2396758.5L; jd < 2481129.5L; jd += 97.3L) {
        ChartData c = Compute(jd);
        for (int body = Body::Sun; body <= Body::Chiron; ++body) {
            EXPECT_GT(c.Latitude[body], -90) << body << " at " << static_cast<double>(jd);
            EXPECT_LT(c.Latitude[body], 90) << body << " at " << static_cast<double>(jd);
        }
        highestPallas = std::max(highestPallas, c.Latitude[Body::Pallas]);
        lowestPallas = std::min(lowestPallas, c.Latitude[Body::Pallas]);
    }
    EXPECT_GT(highestPallas, 34.8L);
    EXPECT_LT(lowestPallas, -20);
}

TEST(Ephemeris, SelectionComputesTheAskedBodiesAfterTheSun) {
    const Real untouched = 777;
    auto run = [&](int which) {
        ChartData c;
        c.Longitude.fill(untouched);
        c.Latitude.fill(untouched);
        c.HouseCusps[1] = 123.25L;
        ComputeBodies(ProgramFolder("/nonexistent"), PlainTheory("VERO"), which, 0, 2451545.0L, c);
        std::vector<int> computed;
        for (int b = 1; b <= Body::Count; ++b)
            if (c.Longitude[b] != untouched || c.Latitude[b] != untouched) computed.push_back(b);
        return std::pair(computed, c);
    };
    EXPECT_EQ(run(5).first, (std::vector<int>{1, 5}));
    EXPECT_EQ(run(1).first, (std::vector<int>{1}));
    EXPECT_EQ(run(11).first, (std::vector<int>{1, 2, 11}));
    EXPECT_EQ(run(12).first, (std::vector<int>{1, 12}));
    EXPECT_EQ(run(19).first, (std::vector<int>{1, 19}));
    EXPECT_EQ(run(13).first, (std::vector<int>{1}));
    EXPECT_EQ(run(14).first, (std::vector<int>{1}));
    EXPECT_EQ(run(20).first, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(run(21).first, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    auto [all, c] = run(0);
    EXPECT_EQ(all.size(), 19u);
    EXPECT_EQ(c.Longitude[Body::AscendantPoint], 123.25L);
    EXPECT_EQ(c.Latitude[Body::AscendantPoint], 0);
    EXPECT_EQ(c.Longitude[Body::LatitudeZero], untouched);  // only its latitude is set
    EXPECT_EQ(c.Latitude[Body::LatitudeZero], 0);
    // The node of a single-body pass equals the node of a full pass.
    EXPECT_EQ(run(11).second.Longitude[11], c.Longitude[11]);
}

TEST(ChartBodies, RetrogradeBodiesGetNegativeLongitudes) {
    ChartData c;
    // 20 December 2023 0h UT: Mercury retrograde, the mean node always.
    ComputeChartBodies(ProgramFolder("/nonexistent"), PlainTheory("MEDIO"), 0, 2460298.5L, c);
    EXPECT_LT(c.Longitude[Body::Mercury], 0);
    EXPECT_LT(c.Longitude[Body::LunarNode], 0);
    EXPECT_GT(c.Longitude[Body::Sun], 0);
    EXPECT_GT(c.Longitude[Body::Moon], 0);
    EXPECT_GT(c.Longitude[Body::Mars], 0);
    ChartData plain = Compute(2460298.5L);
    EXPECT_EQ(-c.Longitude[Body::Mercury], plain.Longitude[Body::Mercury]);
    EXPECT_EQ(c.Latitude[Body::Mercury], plain.Latitude[Body::Mercury]);  // the arrays hold jd's values
}

TEST(ChartBodies, PassingZeroAriesIsNotRetrograde) {
    // Find the Moon within a thousandth of a day before 0° Aries: its longitude then drops from
    // near 360 to near 0, which is not a backward motion.
    auto moonAt = [](Real jd) { return Compute(jd, PlainTheory(), 2).Longitude[Body::Moon]; };
    Real jd = 2451545.0L;
    for (Real step : {0.05L, 0.001L})
        while (!(moonAt(jd) > 359 && moonAt(jd + step) < 1)) jd += step;
    ChartData c;
    ComputeChartBodies(ProgramFolder("/nonexistent"), PlainTheory(), 2, jd, c);
    EXPECT_GT(c.Longitude[Body::Moon], 359);
}

TEST(CorrectionFiles, RecordIndexRoundsHalfToEven) {
    EXPECT_EQ(DailyCorrectionRecordIndex(MoonCorrectionEpoch + 0.5L + 2.5L, MoonCorrectionEpoch), 2);
    EXPECT_EQ(DailyCorrectionRecordIndex(MoonCorrectionEpoch + 0.5L + 3.5L, MoonCorrectionEpoch), 4);
    EXPECT_EQ(DailyCorrectionRecordIndex(MoonCorrectionEpoch + 0.5L + 3.49L, MoonCorrectionEpoch), 3);
    EXPECT_EQ(DailyCorrectionRecordIndex(BlackMoonCorrectionEpoch + 0.5L + 10.5L, BlackMoonCorrectionEpoch), 10);
    // DPR1: int(x - 1721408.5 - 0.5) div 5
    EXPECT_EQ(PlanetCorrectionRecordIndex(1721408.5L + 0.5L + 4.99L), 0);
    EXPECT_EQ(PlanetCorrectionRecordIndex(1721408.5L + 0.5L + 5.0L), 1);
}

TEST(CorrectionFiles, DailyValuesAreInterpolatedBetweenRecords) {
    TempProgramFolder t;
    t.ZeroMoonFile();
    t.ZeroBlackMoonFile();
    const int64_t n = 730000;  // JD 2451420.5
    t.SetMoonRecord(n, 3600);
    t.SetMoonRecord(n + 1, 7200);
    const Real jd = MoonCorrectionEpoch + n + 0.25L;
    EphemerisSettings s;
    s.NodeMode = "MEDIO";
    ChartData corrected;
    ComputeBodies(ProgramFolder(t.path), s, 2, 0, jd, corrected);
    ChartData plain = Compute(jd, PlainTheory(), 2);
    EXPECT_NEAR(AngleDifference(corrected.Longitude[Body::Moon], plain.Longitude[Body::Moon]), 1.25L, 1e-9L);

    // At a half day the index rounds to even; both neighbours give the same interpolated value.
    t.SetMoonRecord(n + 2, 0);
    ComputeBodies(ProgramFolder(t.path), s, 2, 0, MoonCorrectionEpoch + n + 1, corrected);
    plain = Compute(MoonCorrectionEpoch + n + 1, PlainTheory(), 2);
    EXPECT_NEAR(AngleDifference(corrected.Longitude[Body::Moon], plain.Longitude[Body::Moon]), 2.0L, 1e-9L);

    // Black moon, mode "VERA".
    const int64_t m = 100000;
    t.SetBlackMoonRecord(m, -36000);
    t.SetBlackMoonRecord(m + 1, -36000);
    s.BlackMoonMode = "VERA";
    const Real jd2 = BlackMoonCorrectionEpoch + m + 0.7L;
    ComputeBodies(ProgramFolder(t.path), s, 12, 0, jd2, corrected);
    plain = Compute(jd2, PlainTheory(), 12);
    EXPECT_NEAR(AngleDifference(corrected.Longitude[Body::BlackMoon], plain.Longitude[Body::BlackMoon]), -10, 1e-9L);
}

TEST(CorrectionFiles, PlanetCorrectionsBefore1900) {
    TempProgramFolder t;
    t.ZeroMoonFile();
    t.ZeroPlanetFile();
    const Real jd = 2400000.5L;  // 1858
    const int64_t index = PlanetCorrectionRecordIndex(jd);
    const Real j0 = PlanetCorrectionEpoch + 0.5L + 5 * index;
    t.SetPlanetRecord(index, j0, {{1, 60}, {8, 600}, {10, 30}, {17, -120}});
    t.SetPlanetRecord(index + 1, j0 + 5, {{1, 120}, {8, 600}, {10, 30}, {17, -120}});
    EphemerisSettings s;
    s.NodeMode = "MEDIO";
    ChartData corrected, plain = Compute(jd);
    ComputeBodies(ProgramFolder(t.path), s, 0, 0, jd, corrected);
    const Real expectedMercury = (60 + (jd - j0) / 5 * 60) / 60;
    EXPECT_NEAR(AngleDifference(corrected.Longitude[Body::Mercury], plain.Longitude[Body::Mercury]), expectedMercury,
                1e-9L);
    EXPECT_NEAR(corrected.Latitude[Body::Mercury] - plain.Latitude[Body::Mercury], 0.5L, 1e-9L);
    EXPECT_NEAR(AngleDifference(corrected.Longitude[Body::Pluto], plain.Longitude[Body::Pluto]), 10, 1e-9L);
    EXPECT_NEAR(corrected.Latitude[Body::Pluto] - plain.Latitude[Body::Pluto], -2, 1e-9L);
    EXPECT_NEAR(AngleDifference(corrected.Longitude[Body::Venus], plain.Longitude[Body::Venus]), 0, 1e-12L);
    // The retrograde test's first pass leaves latitudes uncorrected.
    ComputeBodies(ProgramFolder(t.path), s, 0, 1, jd, corrected);
    EXPECT_NEAR(corrected.Latitude[Body::Mercury], plain.Latitude[Body::Mercury], 1e-12L);
    EXPECT_NEAR(AngleDifference(corrected.Longitude[Body::Mercury], plain.Longitude[Body::Mercury]), expectedMercury,
                1e-9L);

    // A record whose Julian Day does not belong to the date is a damaged file.
    t.SetPlanetRecord(index, j0 + 400, {{1, 60}});
    EXPECT_THROW(ComputeBodies(ProgramFolder(t.path), s, 0, 0, jd, corrected), DataFileError);
}

TEST(CorrectionFiles, EachFileIsOpenedExactlyWhenNeeded) {
    TempProgramFolder t;
    EphemerisSettings mean;
    mean.NodeMode = "MEDIO";
    EphemerisSettings truth = mean;
    truth.NodeMode = "VERO";
    EphemerisSettings blackMoon = mean;
    blackMoon.BlackMoonMode = "VERA";

    // Inside the Moon file's span it is always needed; outside, no file at all.
    EXPECT_EQ(MissingFile(t, mean, 2451545.0L), "FilePosi\\DSEL.rnd");
    EXPECT_EQ(MissingFile(t, mean, 2499373.5L), "");
    EXPECT_EQ(MissingFile(t, truth, 2499380.5L), "");
    t.ZeroMoonFile();

    // Planets: 1899 needs DPR1, 1 January 1900 0h does not.
    EXPECT_EQ(MissingFile(t, mean, 2415020.5L), "");
    EXPECT_EQ(MissingFile(t, mean, 2415020.4L), "FilePosi\\DPR1.rnd");
    // True node: any date in its span; the mean node never.
    EXPECT_EQ(MissingFile(t, truth, 2451545.0L), "FilePosi\\DPR1.rnd");
    EXPECT_EQ(MissingFile(t, mean, 2451545.0L), "");
    // Without correction files nothing is opened.
    EphemerisSettings plain = truth;
    plain.BlackMoonMode = "VERA";
    plain.ApplyCorrectionFiles = false;
    EXPECT_EQ(MissingFile(t, plain, 2000000.5L), "");
    EXPECT_EQ(MissingFile(t, plain, 2451545.0L), "");

    // Black moon: only "VERA", only 1850-2100.
    t.ZeroPlanetFile();
    EXPECT_EQ(MissingFile(t, blackMoon, 2451545.0L), "FilePosi\\NOJLNE.rnd");
    EXPECT_EQ(MissingFile(t, blackMoon, 2396758.5L), "FilePosi\\NOJLNE.rnd");
    EXPECT_EQ(MissingFile(t, blackMoon, 2396758.4L), "");  // 31 December 1849
    EXPECT_EQ(MissingFile(t, blackMoon, 2488433.5L), "");
    EXPECT_EQ(MissingFile(t, mean, 2451545.0L), "");

    // A file too short for the date raises an error naming it.
    t.ZeroPlanetFile(1000);
    EXPECT_EQ(MissingFile(t, truth, 2451545.0L), "FilePosi\\DPR1.rnd");
    t.ZeroPlanetFile();
    EXPECT_EQ(MissingFile(t, truth, 2451545.0L), "");
    t.Zeros("DSEL.rnd", 2 * 1000);
    EXPECT_EQ(MissingFile(t, truth, 2451545.0L), "FilePosi\\DSEL.rnd");
}

TEST(CorrectionFiles, EachPassReadsItsOwnRecordsAndEveryChartRereadsTheFiles) {
    TempProgramFolder t;
    t.ZeroMoonFile();
    const int64_t n = 730000;
    t.SetMoonRecord(n, 100);
    t.SetMoonRecord(n + 1, 200);
    t.SetMoonRecord(n + 2, 9000);
    // The first pass (jd + 0.001) rounds to record n + 1, the second (jd) to record n.
    const Real jd = MoonCorrectionEpoch + n + 0.5L + 0.4995L;
    ASSERT_EQ(DailyCorrectionRecordIndex(jd, MoonCorrectionEpoch), n);
    ASSERT_EQ(DailyCorrectionRecordIndex(jd + 0.001L, MoonCorrectionEpoch), n + 1);
    EphemerisSettings s;
    s.NodeMode = "MEDIO";
    const ProgramFolder folder(t.path);
    ChartData chart, single;
    ComputeChartBodies(folder, s, 2, jd, chart);
    ComputeBodies(folder, s, 2, 0, jd, single);
    EXPECT_EQ(chart.Longitude[Body::Moon], single.Longitude[Body::Moon]);
    const Real plain = Compute(jd, PlainTheory(), 2).Longitude[Body::Moon];
    const Real expected = (100 + (jd - MoonCorrectionEpoch - n) * 100) / 3600;
    EXPECT_NEAR(AngleDifference(chart.Longitude[Body::Moon], plain), expected, 1e-9L);

    // A file replaced between two charts is read afresh.
    t.SetMoonRecord(n, -3600);
    t.SetMoonRecord(n + 1, -3600);
    ComputeChartBodies(folder, s, 2, jd, chart);
    EXPECT_NEAR(AngleDifference(chart.Longitude[Body::Moon], plain), -1, 1e-9L);
}

// Values of the plain theory summed term by term in extended precision (Sun, Moon, Mercury,
// Jupiter, Pluto, true node; the Moon's latitude). The faster summation must give them to far
// below an arcsecond: a term with a wrong multiple or sign would move them by arcseconds.
TEST(Ephemeris, SeriesKeepTheTermByTermValues) {
    struct Case {
        Real jd;
        Real longitude[6];
        Real moonLatitude;
    };
    const Case cases[] = {
        {2451545.0L,
         {280.368010968024L, 223.315342442938L, 271.892465880103L, 25.251788052310L, 251.395907215912L,
          123.867794179860L},
         5.188096106882L},
        {2415020.25L,
         {279.898790631360L, 268.847259820752L, 258.679956038388L, 241.087976808511L, 75.206055450855L,
          260.313853132476L},
         0.786848871613L},
        {2378000.75L,
         {150.262486080264L, 295.263573798513L, 175.819545475287L, 55.777821435445L, 330.049463691975L,
          59.847166146089L},
         -4.140103970404L},
        {2470000.5L,
         {110.837210366577L, 41.067743723052L, 133.093498285318L, 129.834627318780L, 340.641321030038L,
          229.044114382805L},
         0.701125457060L},
    };
    const int bodies[6] = {Body::Sun, Body::Moon, Body::Mercury, Body::Jupiter, Body::Pluto, Body::LunarNode};
    for (const Case& k : cases) {
        const ChartData c = Compute(k.jd, PlainTheory("VERO"));
        for (int i = 0; i < 6; ++i)
            EXPECT_NEAR(AngleDifference(c.Longitude[bodies[i]], k.longitude[i]), 0, 1e-9L)
                << "body " << bodies[i] << " at " << static_cast<double>(k.jd);
        EXPECT_NEAR(c.Latitude[Body::Moon], k.moonLatitude, 1e-9L);
    }
}
