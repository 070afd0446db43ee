#include <unistd.h>

#include "drawing/wheel.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "drawing/recording_device.hpp"

using namespace florimant;
using Kind = RecordedShape::Kind;

namespace {

DrawState PaperState() {
    DrawState s;
    s.Target = DrawTarget::Printer;
    s.Scale = 4;
    return s;
}

void ExpectAngles(const std::vector<Real>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(double(got[i]), want[i], 1e-9) << i;
}

ChartData SampleChart() {
    ChartData chart;
    const double longitudes[] = {0, 100, 102, 104, 200, 250, 300, 330, 40, 220, 15, 285};
    for (int i = 1; i <= 11; ++i) chart.Longitude[size_t(i)] = longitudes[i];
    chart.RetroFlags.fill(' ');
    chart.RetroFlags[5] = 'r';
    for (int k = 1; k <= 12; ++k) chart.HouseCusps[size_t(k)] = 15 + 30 * (k - 1) + 15;  // median houses
    chart.HouseSystem = "CASE_MEDIE";
    return chart;
}

}  // namespace

TEST(Spreading, ThreeCloseBodiesStraddleTheirPlaces) {
    ExpectAngles(SpreadAngles({100, 102, 104, 250}), {92, 102, 112, 250});
}

TEST(Spreading, CrowdAfterANearBodyMovesBackOnlyByTheSpareRoom) {
    // 12 degrees after a body: moved back by 2, not by half the push (8).
    ExpectAngles(SpreadAngles({88, 100, 102, 104, 250}), {88, 98, 108, 118, 250});
    // Two members only: not moved back at all.
    ExpectAngles(SpreadAngles({88, 100, 102, 250}), {88, 100, 110, 250});
}

TEST(Spreading, CrowdAcrossTheJoinStaysTogether) {
    ExpectAngles(SpreadAngles({355, 358, 2, 180}), {348.5, 358.5, 8.5, 180});
    ExpectAngles(SpreadAngles({5}), {5});
    EXPECT_TRUE(SpreadAngles({}).empty());
    // Ties keep body order.
    ExpectAngles(SpreadAngles({50, 50, 200}), {45, 55, 200});
}

TEST(Spreading, DecanRulersFollowTheChaldeanOrder) {
    EXPECT_EQ(DecanRuler(0), Body::Mars);
    EXPECT_EQ(DecanRuler(1), Body::Sun);
    EXPECT_EQ(DecanRuler(2), Body::Venus);
    EXPECT_EQ(DecanRuler(33), Body::Saturn);
    EXPECT_EQ(DecanRuler(34), Body::Jupiter);
    EXPECT_EQ(DecanRuler(35), Body::Mars);
}

TEST(Wheel, BodiesCarryTheirTextsAndRetrogradeMark) {
    RecordingDevice d;
    DrawState s;
    s.Target = DrawTarget::Printer;
    s.Scale = 4;
    s.FontBase = 20;
    Canvas c{s, d};
    const ChartData chart = SampleChart();
    DrawBodies(c, chart, {173, 105}, 57, 44, 7);
    int rs = 0, circles = 0;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape == Kind::Text && shape.Text == "r") {
            ++rs;
            EXPECT_EQ(shape.TextColour, Colours::Red);
        }
        if (shape.Shape == Kind::Polyline && shape.Points[0].size() == 73) ++circles;
    }
    EXPECT_EQ(rs, 1);
    EXPECT_EQ(circles, 8);  // a ring round each body and the inner circle
    // Ties from the true outer place to the spread ring place: Mercury (102) keeps its angle.
    bool tied = false;
    const SheetPoint outerTrue = WheelPoint(173, 105, 57, DrawingAngle(15, 102), 1);
    for (const auto& shape : d.Shapes())
        if (shape.Shape == Kind::Line && shape.Points[0][0] == MapPoint(s, outerTrue)) tied = true;
    EXPECT_TRUE(tied);
}

TEST(Wheel, HouseRingTicksBoundariesAndNumerals) {
    RecordingDevice d;
    DrawState s;
    s.Target = DrawTarget::Window;
    s.Scale = 4;
    Canvas c{s, d};
    DrawHouseRing(c, SampleChart(), {173, 105}, 41, 35);
    int ticks = 0, numerals = 0, boundaries = 0;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape == Kind::Line && shape.PenUsed.Rgb == Colours::Cyan) ++ticks;
        if (shape.Shape == Kind::Line && shape.PenUsed.Rgb == Colours::White) ++boundaries;
        if (shape.Shape == Kind::Text) {
            ++numerals;
            EXPECT_EQ(shape.TextColour, Colours::White);
        }
    }
    EXPECT_EQ(ticks, 60);
    EXPECT_EQ(boundaries, 12);
    EXPECT_EQ(numerals, 12);
    EXPECT_EQ(d.Shapes().back().Text, "XII");
}

TEST(Wheel, ZodiacRingBoundariesAndAngleMarks) {
    RecordingDevice d;
    const DrawState s = PaperState();
    Canvas c{s, d};
    DrawZodiacRing(c, SampleChart(), {173, 105}, 67, 57);
    size_t lines = 0;
    for (const auto& shape : d.Shapes()) lines += shape.Shape == Kind::Line;
    EXPECT_EQ(lines, 2u + 12 + 24);
    d.Clear();
    DrawAngles(c, SampleChart(), {173, 105}, 72);
    size_t texts = 0;
    for (const auto& shape : d.Shapes()) texts += shape.Shape == Kind::Text;
    EXPECT_EQ(texts, 3u + 2 + 6 + 4);  // ascendant, midheaven, house boundaries (one side for 3 and 4)
}

namespace {

ChartData AspectChart() {
    ChartData chart;
    const double longitudes[] = {0, 0, 121, 2, 270, 45, 200, 330, 180, 0, 10, 280};
    for (int i = 1; i <= 11; ++i) chart.Longitude[size_t(i)] = longitudes[i];
    return chart;
}

AspectOrbs EightDegrees() {
    AspectOrbs orbs;
    orbs.fill(8);
    return orbs;
}

}  // namespace

TEST(AspectLines, BandsForSoftAndHardAspectsOfThePlanetsOnly) {
    RecordingDevice d;
    const DrawState s = PaperState();
    Canvas c{s, d};
    DrawAspectLines(c, AspectChart(), {173, 105}, 35, EightDegrees(), AspectLineStyle::Bands);
    int blue = 0, red = 0;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape != Kind::Polygons) continue;
        ASSERT_EQ(shape.Points[0].size(), 6u);
        if (shape.BrushUsed == Brush(Colours::Blue)) {
            ++blue;
            EXPECT_EQ(shape.PenUsed.Rgb, Colours::Cyan);
        }
        if (shape.BrushUsed == Brush(Colours::Red)) {
            ++red;
            EXPECT_EQ(shape.PenUsed.Rgb, Colours::Yellow);
        }
    }
    // Sun-Moon, Moon-Mercury trines and Venus-Saturn sextile; Sun-Venus and Mercury-Venus squares;
    // no Sun-Mercury conjunction and no line to the node opposite the Sun.
    EXPECT_EQ(blue, 3);
    EXPECT_EQ(red, 2);
}

TEST(AspectLines, PlainAndDottedLinesInTheSecondStyle) {
    RecordingDevice d;
    const DrawState s = PaperState();
    Canvas c{s, d};
    DrawAspectLines(c, AspectChart(), {173, 105}, 35, EightDegrees(), AspectLineStyle::Lines);
    int lines = 0, dots = 0;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape == Kind::Line) {
            ++lines;
            EXPECT_EQ(shape.PenUsed.Rgb, Colours::Cyan);
        }
        if (shape.Shape == Kind::Ellipse) {
            ++dots;
            EXPECT_EQ(shape.PenUsed.Rgb, Colours::Red);
        }
        EXPECT_NE(shape.Shape, Kind::Polygons);
    }
    EXPECT_EQ(lines, 3);
    EXPECT_GT(dots, 20);
}

TEST(AspectLines, TightAspectsGiveWideBands) {
    const auto band = AspectBand({0, 0}, {100, 0}, 2);
    ASSERT_EQ(band.size(), 6u);
    EXPECT_NEAR(double(band[1].Y), 2, 1e-12);
    EXPECT_NEAR(double(band[1].X), 8, 1e-12);  // shoulders 8 units in from each end
    EXPECT_NEAR(double(band[2].X), 92, 1e-12);
    EXPECT_NEAR(double(band[4].Y), -2, 1e-12);
    EXPECT_NEAR(double(AspectBand({0, 0}, {10, 0}, 1)[1].X), 5, 1e-12);  // short: half way
    EXPECT_GT(AspectBandWidth(0), AspectBandWidth(1));
    EXPECT_TRUE(AspectBand({1, 1}, {1, 1}, 2).empty());
}

TEST(Footer, ColourAndOutlinedLogo) {
    RecordingDevice d;
    DrawState s;
    s.Target = DrawTarget::Printer;
    s.Scale = 1;
    s.FontBase = 30;
    Canvas c{s, d};
    DrawFooterLogo(c, {0, 0}, true);
    ASSERT_EQ(d.Shapes().size(), 3u);
    EXPECT_EQ(d.Shapes()[0].BrushUsed, Brush(Colours::Yellow));
    EXPECT_EQ(int(d.Shapes()[0].Rule), int(FillRule::Winding));
    EXPECT_EQ(d.Shapes()[1].Box, (DeviceRect{4, 130, 35, 135}));
    EXPECT_EQ(d.Shapes()[1].BrushUsed, Brush(Colours::Red));
    EXPECT_EQ(d.Shapes()[2].Text, "Florimant 3");
    EXPECT_EQ(d.Shapes()[2].TextColour, Colours::White);
    d.Clear();
    DrawFooterLogo(c, {0, 0}, false);
    EXPECT_FALSE(d.Shapes()[0].BrushUsed.has_value());
    EXPECT_EQ(d.Shapes()[2].TextColour, Colours::Blue);
    d.Clear();
    DrawDateAndOwner(c, {100, 10}, "09/12/2026", "Anna Rossi");
    EXPECT_EQ(d.Shapes()[1].Points[0][0], (DevicePoint{100, 14}));
    EXPECT_EQ(int(d.Shapes()[1].Align), int(TextAlign::Right));
}

TEST(StandardChart, AnalysisSymbolsCentresAndRetrogradeMarks) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("florimant_standard_chart_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "OpzioneT");
    const ProgramFolder folder(dir);
    ChartData chart = SampleChart();
    chart.RetroFlags[9] = 'R';
    chart.RetroFlags[10] = 'r';  // the ascendant's flag draws nothing
    RecordingDevice d;
    DrawState s;
    s.Scale = 4;
    Canvas c{s, d};
    AspectOrbs orbs;
    orbs.fill(6);
    const StandardChartCentres centres = DrawStandardChart(c, chart, folder, orbs);
    const WheelGeometry g = AnalysisWheel();
    for (int b = 1; b <= 11; ++b) {
        const Real r = std::hypot(centres.Points[size_t(b)].X - g.CentreX, centres.Points[size_t(b)].Y - g.CentreY);
        EXPECT_NEAR(double(r), double((g.R3 + g.R4) / 2), 1e-9) << b;
    }
    for (int sign = 1; sign <= 12; ++sign) EXPECT_GT(centres.Signs[size_t(sign)].X, 0) << sign;
    int capitalR = 0, smallR = 0, positions = 0;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape != Kind::Text) continue;
        capitalR += shape.Text == "R";
        smallR += shape.Text == "r";
        positions += shape.Text.find("°") != std::string::npos && shape.FontUsed.Height == FontForNumber(s, 0).Height;
    }
    EXPECT_EQ(capitalR, 2);  // Mars and the south node
    EXPECT_EQ(smallR, 0);
    EXPECT_EQ(positions, 0);  // no position texts in the analysis ring
    EXPECT_TRUE(folder.Exists("OpzioneT\\PosiPian.txt"));
}

TEST(AnalysisAspectLines, BandsAndDashesBetweenTheElevenPoints) {
    ChartData chart = AspectChart();  // Sun-Node opposition is drawn here: the nodes are points
    AspectOrbs orbs = EightDegrees();
    RecordingDevice d;
    DrawState s;
    s.Target = DrawTarget::Printer;
    s.Scale = 1;
    Canvas c{s, d};
    DrawAnalysisAspectLines(c, chart, orbs, AspectLineStyle::Lines);
    int dots = 0, aqua = 0, dashes = 0;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape == Kind::Ellipse) ++dots;
        if (shape.Shape == Kind::Line && shape.PenUsed.Rgb == Colours::Cyan) ++aqua;
        if (shape.Shape == Kind::Line && shape.PenUsed.Rgb == Colours::Red) ++dashes;
    }
    EXPECT_EQ(dots, 11);
    const auto aspects = FindWheelAspects(chart, orbs);
    int soft = 0;
    for (const auto& a : aspects) soft += a.Harmonious();
    EXPECT_EQ(aqua, soft);
    EXPECT_EQ(dashes, 15 * (int(aspects.size()) - soft));
    d.Clear();
    DrawAnalysisAspectLines(c, chart, orbs, AspectLineStyle::Bands);
    int bands = 0;
    for (const auto& shape : d.Shapes()) bands += shape.Shape == Kind::Polygons;
    EXPECT_EQ(bands, int(aspects.size()));
}
