#include "drawing/sheet_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

using namespace florimant;

TEST(AbsoluteLongitude, TwoDigitsOfTheShortestFraction) {
    EXPECT_EQ(AbsoluteLongitudeText(123.25L), "(123°,25)");
    EXPECT_EQ(AbsoluteLongitudeText(123), "(123°,)");
    EXPECT_EQ(AbsoluteLongitudeText(123.5L), "(123°,5)");
    EXPECT_EQ(AbsoluteLongitudeText(7.123L), "(7°,12)");
    EXPECT_EQ(AbsoluteLongitudeText(7.00007L), "(7°,00)");
    EXPECT_EQ(AbsoluteLongitudeText(0), "(0°,)");
    EXPECT_EQ(AbsoluteLongitudeText(359.999L), "(359°,99)");
}

TEST(PrintScale, PageWidthSetsScaleAndFontThenScreenComesBack) {
    DrawState s;
    s.Scale = 3;
    s.AxisCorrectionX = 1.1L;
    s.AxisCorrectionY = 0.9L;
    ApplyPrintScale(s, 4960, 7016);  // A4 at 600 dpi
    EXPECT_NEAR(double(s.Scale), 4960 / 210.0 * 0.776, 1e-12);
    EXPECT_EQ(s.AxisCorrectionX, 1);
    EXPECT_EQ(s.AxisCorrectionY, 1);
    EXPECT_EQ(s.FontBase, 60);  // round(60.49)
    RestoreScreenScale(s, 3, 1.1L, 0.9L);
    EXPECT_EQ(s.Scale, 3);
    EXPECT_EQ(s.AxisCorrectionX, 1.1L);
    EXPECT_EQ(s.FontBase, 11);  // round(11.1)
}

// A4 pages keep the width's scale in both orientations, also where their pixels round; a page
// shorter than A4 for its width is scaled by its height.
TEST(PrintScale, FitsBothSidesOfThePage) {
    const auto scaleOf = [](int width, int height) {
        DrawState s;
        ApplyPrintScale(s, width, height);
        return std::pair(double(s.Scale), double(s.FontBase));
    };
    for (const auto& [w, h] : {std::pair{1240, 1754}, std::pair{1754, 1240}, std::pair{3508, 2480},
                               std::pair{4960, 7016}, std::pair{7016, 4960}}) {
        EXPECT_DOUBLE_EQ(scaleOf(w, h).first, w / 210.0 * 0.776) << w << "x" << h;
        EXPECT_EQ(scaleOf(w, h).second, std::round(w / 82.0)) << w << "x" << h;
    }
    // US Letter at 600 dpi, 5100 x 6600: upright the height decides, as for an A4 page 4667.5 wide
    // (the width of A4 for a height of 6600 and its rounding).
    EXPECT_NEAR(scaleOf(5100, 6600).first, 4667.5 / 210.0 * 0.776, 0.01);
    EXPECT_EQ(scaleOf(5100, 6600).second, 57);  // round(4667.5 / 82)
    // The portrait sheet's last lines, near Y 320 at its zoom of 1.15 (368 units), stay on the page.
    EXPECT_LT(370 * scaleOf(5100, 6600).first, 6600);
    // Lying down, Letter is wider than A4 for its height: the width decides.
    EXPECT_DOUBLE_EQ(scaleOf(6600, 5100).first, 6600 / 210.0 * 0.776);
}

TEST(PictureName, OnlyTheFifteenOfferedNames) {
    for (const char* name : {"GRAF01.EMF", "GRAF03.EMF", "GRAF09.EMF", "GRAF10.EMF", "GRAF15.EMF"})
        EXPECT_TRUE(PassesPictureNameCheck(name)) << name;
    for (const char* name : {"", "GRAF03", "GRAF03.emf", "graf03.EMF", "GRAF03.EMF.BAK", "GRAF.03.EMF", "GRAF03.",
                             "GRAF03.EMFX", "GRAF01X.EMF", "XXXX01.EMF", "GRAF00.EMF", "GRAF16.EMF", "GRAF99.EMF",
                             "GRAF1.EMF", "GRAF 1.EMF", "..\\x.EMF", "Emf\\GRAF01.EMF", "../GRAF01.EMF", "GRAF-1.EMF"})
        EXPECT_FALSE(PassesPictureNameCheck(name)) << name;
}

TEST(ArialWidth, AdvancesOfTheFaceScaledByTheCellWithRoomForRounding) {
    // "Sole" is 1366 + 1139 + 455 + 1139 units of 2048; a cell of 2288 units is one em.
    const Real em = 2288;
    EXPECT_NEAR(double(ArialTextWidth("Sole", em)), (1366 + 1139 + 455 + 1139) * (2048 + 0.5) / 2048, 1e-9);
    EXPECT_EQ(ArialTextWidth("", em), 0);
    // Accented letters as their base letters, the degree sign its own width, anything else a
    // whole em; a broken UTF-8 sequence is one character.
    EXPECT_EQ(ArialTextWidth("\u00e8", em), ArialTextWidth("e", em));
    EXPECT_NEAR(double(ArialTextWidth("\u00b0", em)), 819 * 2048.5 / 2048, 1e-9);
    EXPECT_NEAR(double(ArialTextWidth("\u2014", em)), 2048.5, 1e-9);
    EXPECT_NEAR(double(ArialTextWidth("\xe8x", em)), (2048 + 1024) * 2048.5 / 2048, 1e-9);  // a lone lead byte, then x
    EXPECT_GT(ArialTextWidth("WWW", 20), ArialTextWidth("iii", 20) * 3);
}
