#include "drawing/draw_state.hpp"

#include <gtest/gtest.h>

using namespace florimant;

namespace {

DrawState Window(Real scale = 4) {
    DrawState s;
    s.Scale = scale;
    return s;
}

DrawState Paper(Real scale = 4) {
    DrawState s = Window(scale);
    s.Target = DrawTarget::Printer;
    return s;
}

}  // namespace

TEST(DrawStateMapping, RoundsHalfToEvenThenPans) {
    DrawState s = Window(1);
    s.OffsetX = 10;
    s.OffsetY = -3;
    EXPECT_EQ(MapX(s, 2.5), 12);  // 2.5 -> 2
    EXPECT_EQ(MapX(s, 3.5), 14);  // 3.5 -> 4
    EXPECT_EQ(MapX(s, -2.5), 8);  // -2.5 -> -2
    EXPECT_EQ(MapY(s, 0.5), -3);
    EXPECT_EQ(MapY(s, 1.5), -1);
    EXPECT_EQ(RoundHalfEven(1e30L), 1000000000);  // pinned, never undefined
    EXPECT_EQ(RoundHalfEven(-1e30L), -1000000000);
}

TEST(DrawStateMapping, AxisCorrectionAndZoomButNotForSymbols) {
    DrawState s = Window(3);
    s.Zoom = 2;
    s.AxisCorrectionX = 1.5;
    s.AxisCorrectionY = 0.5;
    EXPECT_EQ(MapX(s, 10), 40);   // 10 / 1.5 * 3 * 2
    EXPECT_EQ(MapY(s, 10), 120);  // 10 / 0.5 * 3 * 2
    EXPECT_EQ(SymbolHalfSide(s, 7), 21);
    s.Zoom = 1;
    s.Scale = 1;
    EXPECT_EQ(SymbolHalfSide(s, 5), 2);  // 2.5 -> 2
    EXPECT_EQ(SymbolHalfSide(s, 7), 4);  // 3.5 -> 4
}

TEST(DrawStatePens, WidthsFollowScaleZoomAndThickness) {
    DrawState s = Window(8);
    s.LineThickness = 1.5;
    EXPECT_EQ(PenForRole(s, 0).Width, 3);    // 8/4 * 1.5
    EXPECT_EQ(PenForRole(s, 10).Width, 2);   // 8/8 * 1.5 = 1.5 -> 2
    EXPECT_EQ(PenForRole(s, 22).Width, 10);  // 0.8 * 8 * 1.5 = 9.6
    s.Zoom = 2;
    EXPECT_EQ(PenForRole(s, 58).Width, 48);  // 2 W Z L
    EXPECT_EQ(PenForRole(s, 0).Width, 3);    // not zoomed
    EXPECT_EQ(PenForRole(s, 12).Style, PenStyle::Dashed);
    EXPECT_EQ(PenForRole(s, 26).Style, PenStyle::Dashed);
    EXPECT_EQ(PenForRole(s, 18).Rgb, (Colour{255, 128, 64}));
    EXPECT_EQ(PenForRole(s, 78).Rgb, (Colour{196, 200, 36}));
}

TEST(DrawStatePens, UnknownRolesAreBlackByRange) {
    const DrawState s = Window(8);
    EXPECT_EQ(PenForRole(s, 40).Rgb, Colours::Black);
    EXPECT_EQ(PenForRole(s, 40).Width, 1);
    EXPECT_EQ(PenForRole(s, -1).Width, 2);
}

TEST(DrawStatePens, BlackAndWhiteIsWhiteOnWindowBlackOnPaper) {
    DrawState w = Window();
    w.BlackAndWhite = true;
    DrawState p = Paper();
    p.BlackAndWhite = true;
    EXPECT_EQ(PenForRole(w, 2).Rgb, Colours::White);
    EXPECT_EQ(PenForRole(p, 2).Rgb, Colours::Black);
    EXPECT_EQ(PenForRole(p, 1).Rgb, Colours::White);  // white stays white
    DrawState m = Paper();
    m.Target = DrawTarget::Metafile;
    m.BlackAndWhite = true;
    EXPECT_EQ(PenForRole(m, 79).Rgb, Colours::Black);
}

TEST(DrawStatePens, LogicalRolesDependOnTarget) {
    const DrawState w = Window(), p = Paper();
    EXPECT_EQ(RoleForTarget(w, 4), 5);
    EXPECT_EQ(RoleForTarget(p, 4), 4);
    EXPECT_EQ(RoleForTarget(w, 0), 1);
    EXPECT_EQ(RoleForTarget(w, 10), 17);
    EXPECT_EQ(RoleForTarget(p, 10), 10);
    EXPECT_EQ(RoleForTarget(w, 2), 7);
    EXPECT_EQ(RoleForTarget(w, 7), 2);
    EXPECT_EQ(RoleForTarget(p, 2), 2);
    EXPECT_EQ(RoleForTarget(w, 14), 14);
    EXPECT_EQ(TextColourFor(w, 4), Colours::Cyan);
    EXPECT_EQ(TextColourFor(p, 4), Colours::Blue);
    EXPECT_EQ(TextColourFor(w, 0), Colours::White);
    EXPECT_EQ(TextColourFor(p, 0), Colours::Black);
}

TEST(DrawStateBrushes, BlackAndWhiteWithAndWithoutBackground) {
    DrawState w = Window(), p = Paper();
    EXPECT_EQ(BrushColourFor(w, Colours::Red), Colours::Red);
    w.BlackAndWhite = p.BlackAndWhite = true;
    EXPECT_EQ(BrushColourFor(w, Colours::Red), Colours::White);
    EXPECT_EQ(BrushColourFor(p, Colours::Red), Colours::Black);
    EXPECT_EQ(BrushColourFor(p, Colours::White), Colours::White);
    w.BackgroundPicture = p.BackgroundPicture = true;
    EXPECT_EQ(BrushColourFor(w, Colours::White), Colours::Black);
    EXPECT_EQ(BrushColourFor(p, Colours::Red), Colours::White);
}

TEST(DrawStateFonts, HeightIsRoundedThenIntegerDivided) {
    DrawState s = Window();
    s.FontBase = 10.2;  // 306
    s.Zoom = 1;
    EXPECT_EQ(FontForNumber(s, 0).Height, 8);   // 306 / 38
    EXPECT_EQ(FontForNumber(s, 5).Height, 25);  // 306 / 12
    EXPECT_EQ(FontForNumber(s, 21).Face, "Courier");
    EXPECT_EQ(FontForNumber(s, 22).Height, 13);  // 306 / 22
    EXPECT_EQ(FontForNumber(s, 0).Weight, 10);
    const Font italic = FontForNumber(s, 16);
    EXPECT_TRUE(italic.Italic);
    EXPECT_EQ(italic.FixedWidth, 10);
    EXPECT_FALSE(FontForNumber(s, 15).Italic);
    s.Zoom = 1.5;
    EXPECT_EQ(FontForNumber(s, 1).Height, 15);  // round(459) / 30
    EXPECT_EQ(FontForNumber(s, 99).Height, FontForNumber(s, 0).Height);
}

TEST(DrawStateFrame, OnlyOnTheWindowWithAPrinter) {
    DrawState s = Window();
    EXPECT_TRUE(PageFrameFor(s).Visible);
    EXPECT_EQ(PageFrameFor(s).BottomRight.Y, 202);
    s.PrinterLandscape = false;
    EXPECT_EQ(PageFrameFor(s).BottomRight.Y, 405);
    EXPECT_EQ(PageFrameFor(s).BottomRight.X, 279);
    s.PrinterExists = false;
    EXPECT_FALSE(PageFrameFor(s).Visible);
    EXPECT_FALSE(PageFrameFor(Paper()).Visible);
}

TEST(DrawStateWheel, AscendantOnTheLeftLongitudeCounterClockwise) {
    EXPECT_DOUBLE_EQ(double(DrawingAngle(100, 100)), 0);
    EXPECT_DOUBLE_EQ(double(DrawingAngle(100, 130)), 330);
    EXPECT_DOUBLE_EQ(double(DrawingAngle(10, 350)), 20);
    const WheelGeometry g = SheetWheel();
    SheetPoint asc = WheelPoint(g.CentreX, g.CentreY, 10, 0, 1);
    EXPECT_NEAR(double(asc.X), 163, 1e-12);
    EXPECT_NEAR(double(asc.Y), 105, 1e-12);
    // θ = 270: 90 degrees of longitude past the ascendant is at the bottom (the first houses).
    SheetPoint top = WheelPoint(g.CentreX, g.CentreY, 10, DrawingAngle(0, 90), 2);
    EXPECT_NEAR(double(top.X), 173, 1e-9);
    EXPECT_NEAR(double(top.Y), 125, 1e-9);  // K = 2 doubles the vertical radius
    const WheelGeometry a = AnalysisWheel();
    EXPECT_EQ(a.R5, 47);
    EXPECT_EQ(g.R6, 38);
}
