#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/aspects.hpp"

using namespace florimant;

namespace {

AspectOrbs OrbsOf(const OrbSetValues& set) { return set.Orbs; }

// A chart whose eleven points are spread so that no pair is in aspect with set A, unless a test
// moves some of them.
ChartData QuietChart() {
    ChartData chart;
    const Real spread[] = {0, 3, 16.5, 29, 47.5, 66, 83.5, 101, 281, 143, 159.5, 176};
    for (int i = 1; i <= 11; ++i) chart.Longitude[i] = spread[i];
    return chart;
}

}  // namespace

TEST(AspectRules, SeparationIsFoldedIntoZeroTo180) {
    EXPECT_DOUBLE_EQ(AngularSeparation(10, 350), 20);
    EXPECT_DOUBLE_EQ(AngularSeparation(350, 10), 20);
    EXPECT_DOUBLE_EQ(AngularSeparation(0, 180), 180);
    EXPECT_DOUBLE_EQ(AngularSeparation(90, 90), 0);
}

TEST(AspectRules, OrbBoundsAreStrict) {
    AspectOrbs orbs{};
    orbs[static_cast<size_t>(AspectKind::Trigono)] = 5;
    orbs[static_cast<size_t>(AspectKind::Congiunzione)] = 10;
    EXPECT_FALSE(IsInOrb(115, AspectKind::Trigono, orbs));
    EXPECT_FALSE(IsInOrb(125, AspectKind::Trigono, orbs));
    EXPECT_TRUE(IsInOrb(115.0001L, AspectKind::Trigono, orbs));
    EXPECT_TRUE(IsInOrb(124.9999L, AspectKind::Trigono, orbs));
    EXPECT_FALSE(IsInOrb(10, AspectKind::Congiunzione, orbs));
    EXPECT_TRUE(IsInOrb(9.99L, AspectKind::Congiunzione, orbs));
    // An orb of 0 never matches, not even the exact angle.
    EXPECT_FALSE(IsInOrb(90, AspectKind::Quadrato, orbs));
    EXPECT_FALSE(IsInOrb(0, AspectKind::Sestile, orbs));
}

TEST(AspectList, LinesAndExclusionOfExactOppositions) {
    ChartData chart = QuietChart();
    chart.Longitude[Body::Sun] = 10;
    chart.Longitude[Body::Moon] = 132.3456L;  // trine, exactness 2.3456
    chart.Longitude[Body::Mars] = 190;        // exact opposition to the Sun
    chart.Longitude[Body::NorthNode] = 250;
    chart.Longitude[Body::SouthNode] = 70;  // the node axis
    const auto lines = AspectListLines(chart, OrbsOf(FixedOrbSetA()));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines.front(), "ASPETTI PLANETARI");
    EXPECT_EQ(lines[1], "2.34   il Sole in Trigono con la Luna");
    for (const auto& line : lines) {
        EXPECT_EQ(line.find("il Nodo Nord in Opposizione"), std::string::npos) << line;
        EXPECT_EQ(line.find("il Sole in Opposizione con Marte"), std::string::npos) << line;
    }
    EXPECT_EQ(lines[lines.size() - 3], "   ");
    EXPECT_EQ(lines[lines.size() - 2], "L'aspetto \xC3\xA8 tanto pi\xC3\xB9 preciso quanto");
    EXPECT_EQ(lines.back(), "pi\xC3\xB9 \xC3\xA8 piccolo il numero che lo precede");
}

TEST(AspectList, OrderOfPairsAndFirstMatchingKind) {
    ChartData chart = QuietChart();
    // With orbs of 15 a separation of 100 is both a square (90 ± 15) and a trine (120 ± 15):
    // the trine is tested first.
    AspectOrbs wide{};
    for (auto kind : {AspectKind::Congiunzione, AspectKind::Quadrato, AspectKind::Trigono})
        wide[static_cast<size_t>(kind)] = 15;
    ChartData two;
    two.Longitude[1] = 0;
    two.Longitude[2] = 106;
    for (int i = 3; i <= 11; ++i) two.Longitude[i] = 200 + 12 * i;  // 236..332, 12 apart: conjunctions only
    const auto found = FindListedAspects(two, wide);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0].First, 1);
    EXPECT_EQ(found[0].Second, 2);
    EXPECT_EQ(found[0].Kind, AspectKind::Trigono);
    EXPECT_NEAR(static_cast<double>(found[0].Exactness), 14, 1e-12);
    for (size_t k = 1; k < found.size(); ++k)
        EXPECT_TRUE(found[k - 1].First < found[k].First ||
                    (found[k - 1].First == found[k].First && found[k - 1].Second < found[k].Second));
    // The Ascendant-Midheaven pair is listed like any other.
    chart.Longitude[Body::Ascendant] = 100;
    chart.Longitude[Body::Midheaven] = 10;
    const auto lines = AspectListLines(chart, OrbsOf(FixedOrbSetA()));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "0.00   l'Ascendente in Quadratura con il Mediocielo"),
              lines.end());
}

TEST(AspectWheel, PlacesRoundedExactnessAndBand) {
    ChartData chart = QuietChart();
    chart.Longitude[Body::Ascendant] = 100.4L;
    const auto places = WheelPointPlaces(chart);
    // The Ascendant lies on the left of the centre, the Midheaven (90° behind it) at the top.
    EXPECT_EQ(places[Body::Ascendant].X, 61);
    EXPECT_EQ(places[Body::Ascendant].Y, 100);
    chart.Longitude[Body::Midheaven] = 10.4L;
    EXPECT_EQ(WheelPointPlaces(chart)[Body::Midheaven].X, 100);
    EXPECT_EQ(WheelPointPlaces(chart)[Body::Midheaven].Y, 61);

    ChartData c;
    for (int i = 1; i <= 11; ++i) c.Longitude[i] = 200 + 13.7L * i;
    c.Longitude[1] = 0;
    c.Longitude[2] = 62.5L;   // sextile, exactness 2.5 rounds to 2 (ties to even)
    c.Longitude[3] = 180.3L;  // opposition to the Sun rounding to 0: drawn nothing
    const auto aspects = FindWheelAspects(c, OrbsOf(FixedOrbSetA()));
    bool sextile = false;
    for (const auto& a : aspects) {
        EXPECT_NE(a.Kind, AspectKind::Congiunzione);
        EXPECT_FALSE(a.First == 1 && a.Second == 3);
        if (a.First == 1 && a.Second == 2) {
            sextile = true;
            EXPECT_EQ(a.RoundedExactness, 2);
            EXPECT_TRUE(a.Harmonious());
        }
    }
    EXPECT_TRUE(sextile);
    EXPECT_NEAR(static_cast<double>(AspectBandWidth(0)), 1 / (1.2 * std::sqrt(0.2)), 1e-12);
    EXPECT_NEAR(static_cast<double>(AspectBandWidth(4)), 1 / 2.4, 1e-12);
}

TEST(EclipticGrid, KindOrderCellsAndMissingAngleCell) {
    AspectOrbs orbs{};
    orbs[static_cast<size_t>(AspectKind::BiQuintile)] = 5;
    orbs[static_cast<size_t>(AspectKind::SesquiQuadr)] = 5;
    orbs[static_cast<size_t>(AspectKind::Decile)] = 15;
    orbs[static_cast<size_t>(AspectKind::Novile)] = 15;
    orbs[static_cast<size_t>(AspectKind::Settile)] = 15;
    ChartData chart;
    chart.Longitude[1] = 0;
    chart.Longitude[2] = 139.5L;  // within both: the biquintile is tested first
    chart.Longitude[3] = 37;      // decile/novile/septile only: never an aspect
    for (int i = 4; i <= 11; ++i) chart.Longitude[i] = 37;
    const auto cells = ComputeEclipticGrid(chart, orbs);
    EXPECT_EQ(cells.size(), 54u);  // rows 1..9, columns row+1..11
    ASSERT_EQ(cells[0].Row, 1);
    ASSERT_EQ(cells[0].Column, 2);
    ASSERT_TRUE(cells[0].Kind.has_value());
    EXPECT_EQ(*cells[0].Kind, AspectKind::BiQuintile);
    EXPECT_EQ(cells[0].ExactnessText, "04");  // |round(144 - 139.5)| = round(4.5) = 4
    EXPECT_FALSE(cells[1].Kind.has_value());  // Sun-Mercury at 37°
    for (const auto& cell : cells) {
        EXPECT_LE(cell.Row, 9);
        EXPECT_GT(cell.Column, cell.Row);
    }
}

TEST(SphericalGrid, DistancesAndMarks) {
    EXPECT_EQ(SphericalDistance(123.4L, 5.1L, 123.4L, 5.1L), 0);
    EXPECT_NEAR(static_cast<double>(SphericalDistance(0, 0, 180, 0)), 180, 1e-9);
    EXPECT_NEAR(static_cast<double>(SphericalDistance(10, 3, 10, -4)), 7, 1e-9);
    ChartData chart;
    for (int i = 1; i <= 11; ++i) chart.Longitude[i] = 300;
    chart.Longitude[1] = 0;
    chart.Latitude[1] = 0;
    chart.Longitude[2] = 0;
    chart.Latitude[2] = 5;     // same longitude, 5° apart
    chart.Longitude[3] = 91;   // square to the Sun
    chart.Longitude[4] = 121;  // trine to the Sun, sesquiquadrate to Mercury... only majors mark
    const auto cells = ComputeSphericalGrid(chart, FixedOrbSetA().Orbs);
    ASSERT_EQ(cells.size(), 54u);
    EXPECT_TRUE(cells[0].MarkC);
    EXPECT_FALSE(cells[0].MarkA);
    EXPECT_EQ(cells[0].Colour, SphericalMark::C);
    EXPECT_EQ(cells[0].Text, "5.000");
    EXPECT_TRUE(cells[1].MarkA);  // Sun-Mercury square
    EXPECT_EQ(cells[1].Colour, SphericalMark::A);
    EXPECT_TRUE(cells[2].MarkB);  // Sun-Venus trine
    EXPECT_EQ(cells[2].Colour, SphericalMark::B);
    // The cell for two points in the same place reads 0, not 180.
    const auto& same = cells.back();  // Saturn-Midheaven, both at 300
    EXPECT_EQ(same.Text.substr(0, 1), "0");
}
