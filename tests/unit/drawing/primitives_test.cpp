#include <unistd.h>

#include "drawing/primitives.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "drawing/emf_device.hpp"
#include "drawing/recording_device.hpp"

using namespace florimant;
using Kind = RecordedShape::Kind;

namespace {

DrawState State(DrawTarget target, Real zoom = 1) {
    DrawState s;
    s.Target = target;
    s.Scale = 4;
    s.Zoom = zoom;
    s.FontBase = 20;
    return s;
}

size_t Count(const RecordingDevice& d, Kind kind) {
    size_t n = 0;
    for (const auto& s : d.Shapes()) n += s.Shape == kind;
    return n;
}

}  // namespace

TEST(Circle, ArcOnTheWindowAtZoomOneChordsOtherwise) {
    RecordingDevice d;
    DrawState window = State(DrawTarget::Window);
    Canvas c{window, d};
    Circle(c, 10, {50, 50});
    ASSERT_EQ(d.Shapes().size(), 1u);
    EXPECT_EQ(d.Shapes()[0].Shape, Kind::Arc);
    EXPECT_EQ(d.Shapes()[0].Box, (DeviceRect{160, 160, 240, 240}));
    EXPECT_EQ(d.Shapes()[0].SweepDegrees, 360);

    for (const DrawState& s : {State(DrawTarget::Window, 2), State(DrawTarget::Printer), State(DrawTarget::Metafile)}) {
        RecordingDevice chords;
        Canvas cc{s, chords};
        Circle(cc, 10, {50, 50});
        ASSERT_EQ(chords.Shapes().size(), 1u);
        const auto& pts = chords.Shapes()[0].Points[0];
        ASSERT_EQ(pts.size(), 73u);
        EXPECT_EQ(pts.front(), MapPoint(s, {40, 50}));
        EXPECT_EQ(pts.back(), pts.front());
        EXPECT_EQ(pts[18], MapPoint(s, {50, 60}));  // d = 90: below the centre
    }
}

TEST(Lines, DashesAndDots) {
    RecordingDevice d;
    DrawState s = State(DrawTarget::Printer);
    s.Scale = 1;
    Canvas c{s, d};
    DashedLine(c, {0, 0}, {44, 0});
    ASSERT_EQ(Count(d, Kind::Line), 15u);
    EXPECT_EQ(d.Shapes()[0].Points[0], (std::vector<DevicePoint>{{0, 0}, {2, 0}}));
    EXPECT_EQ(d.Shapes()[14].Points[0], (std::vector<DevicePoint>{{42, 0}, {44, 0}}));
    d.Clear();
    s.Scale = 10;
    DottedLine(c, {0, 0}, {30, 0});
    ASSERT_EQ(Count(d, Kind::Ellipse), 18u);  // round(1.8 * 30 / 3)
    EXPECT_EQ(d.Shapes()[0].Box, (DeviceRect{-5, -5, 5, 5}));
    d.Clear();
    FineDottedLine(c, {0, 0}, {30, 0});
    EXPECT_EQ(d.Shapes()[0].Box, (DeviceRect{-3, -3, 3, 3}));
    d.Clear();
    DottedLine(c, {0, 0}, {0.2L, 0});  // too short for a dot
    EXPECT_TRUE(d.Shapes().empty());
}

TEST(Text, BlackAndWhiteForcesTheTextColourAndFontIsByNumber) {
    RecordingDevice d;
    DrawState s = State(DrawTarget::Printer);
    Canvas c{s, d};
    d.SetTextColour(Colours::Red);
    TextRight(c, "XII", 4, {10, 20});
    EXPECT_EQ(d.Shapes()[0].TextColour, Colours::Red);
    EXPECT_EQ(int(d.Shapes()[0].Align), int(TextAlign::Right));
    EXPECT_EQ(d.Shapes()[0].FontUsed.Height, 600 / 16);
    EXPECT_EQ(d.Shapes()[0].Points[0][0], (DevicePoint{40, 80}));
    s.BlackAndWhite = true;
    TextCentre(c, "AS", 21, {0, 0});
    EXPECT_EQ(d.Shapes()[1].TextColour, Colours::Black);
    EXPECT_EQ(d.Shapes()[1].FontUsed.Face, "Courier");
}

TEST(Symbols, PictureNamesByFamilyVariantAndNumber) {
    DrawState s = State(DrawTarget::Window);
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Body, 1), "Simboli\\PiaX01.emf");
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Body, 8), "Simboli\\PiaX11.emf");
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Body, 11), "Simboli\\PiaX15.emf");
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Body, 12), "Simboli\\PiaX12.emf");
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Sign, 5, "M"), "Zodiaco\\SegM05.emf");
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Element, 6), "Simboli\\ElZol2.emf");
    s.BlackAndWhite = true;
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Body, 9), "Simboli\\PiaXB13.emf");
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Element, 1), "Simboli\\ElFuo1B.emf");
    s.Target = DrawTarget::Metafile;
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Sign, 12, "M"), "Zodiaco\\SegMN12.emf");
    EXPECT_EQ(SymbolPicturePath(s, SymbolFamily::Element, 8), "");
}

TEST(Symbols, DrawnStretchedIntoTheirSquareAndSkippedWhenMissing) {
    const auto dir = std::filesystem::temp_directory_path() / ("florimant_symbols_test_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "Simboli");
    EmfDevice emf(100, 100);
    emf.SetPen({Colours::Red, 1, PenStyle::Solid});
    emf.Line({0, 0}, {100, 100});
    emf.Save(dir / "Simboli" / "PiaX02.emf");
    const ProgramFolder folder(dir);

    RecordingDevice d(true);
    DrawState s = State(DrawTarget::Printer);
    Canvas c{s, d, &folder};
    DrawSymbol(c, SymbolFamily::Body, 1, 4, {10, 10});  // no such file
    EXPECT_TRUE(d.Shapes().empty());
    DrawSymbol(c, SymbolFamily::Body, 2, 5, {10, 10});
    ASSERT_EQ(d.Shapes().size(), 2u);
    EXPECT_EQ(d.Shapes()[0].Text, "Simboli\\PiaX02.emf");
    EXPECT_EQ(d.Shapes()[0].Box, (DeviceRect{30, 30, 50, 50}));  // half side round(2.5 * 4)
    EXPECT_EQ(d.Shapes()[1].Points[0], (std::vector<DevicePoint>{{30, 30}, {50, 50}}));

    // On a hidden window nothing is drawn.
    RecordingDevice hidden;
    DrawState w = State(DrawTarget::Window);
    Canvas ch{w, hidden, &folder, false};
    DrawSymbol(ch, SymbolFamily::Body, 2, 5, {10, 10});
    EXPECT_TRUE(hidden.Shapes().empty());
}

TEST(Glyphs, PenByGlyphAndTarget) {
    RecordingDevice d;
    DrawState paper = State(DrawTarget::Printer), window = State(DrawTarget::Window);
    Canvas cp{paper, d}, cw{window, d};
    const std::pair<int, Colour> expected[] = {
        {1, Colours::Green}, {3, Colours::Red}, {8, Colours::Cyan}, {2, Colours::Blue}};
    for (const auto& [glyph, colour] : expected) {
        d.Clear();
        DrawGlyph(cp, glyph, 10, {50, 50});
        ASSERT_FALSE(d.Shapes().empty()) << glyph;
        EXPECT_EQ(d.Shapes()[0].PenUsed.Rgb, colour) << glyph;
        for (const auto& s : d.Shapes())
            for (const DevicePoint& p : s.Points[0]) EXPECT_LE(std::abs(p.X - 200), 18.0 + 1);  // 0.45 * 10 * 4
    }
    d.Clear();
    DrawGlyph(cw, 4, 10, {50, 50});
    EXPECT_EQ(d.Shapes()[0].PenUsed.Rgb, Colours::Cyan);
    d.Clear();
    DrawGlyph(cw, 15, 10, {50, 50});
    EXPECT_TRUE(d.Shapes().empty());
}

TEST(PageFrame, YellowOnTheWindowOnly) {
    RecordingDevice d;
    DrawState s = State(DrawTarget::Window);
    s.Scale = 1;
    s.PrinterLandscape = false;
    Canvas c{s, d};
    DrawPageFrame(c);
    ASSERT_EQ(d.Shapes().size(), 1u);
    EXPECT_EQ(d.Shapes()[0].Box, (DeviceRect{1, 1, 279, 405}));
    EXPECT_EQ(d.Shapes()[0].PenUsed.Rgb, Colours::Yellow);
    d.Clear();
    s.Target = DrawTarget::Metafile;
    DrawPageFrame(c);
    EXPECT_TRUE(d.Shapes().empty());
}
