#include "drawing/sheet_support.hpp"

#include <gtest/gtest.h>

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
    ApplyPrintScale(s, 4960);  // A4 at 600 dpi
    EXPECT_NEAR(double(s.Scale), 4960 / 210.0 * 0.776, 1e-12);
    EXPECT_EQ(s.AxisCorrectionX, 1);
    EXPECT_EQ(s.AxisCorrectionY, 1);
    EXPECT_EQ(s.FontBase, 60);  // round(60.49)
    RestoreScreenScale(s, 3, 1.1L, 0.9L);
    EXPECT_EQ(s.Scale, 3);
    EXPECT_EQ(s.AxisCorrectionX, 1.1L);
    EXPECT_EQ(s.FontBase, 11);  // round(11.1)
}

TEST(PictureName, EveryDotMustIntroduceUpperCaseEmfAtTheEnd) {
    EXPECT_TRUE(PassesPictureNameCheck("GRAF03.EMF"));
    EXPECT_TRUE(PassesPictureNameCheck("GRAF03"));
    EXPECT_FALSE(PassesPictureNameCheck("GRAF03.emf"));
    EXPECT_FALSE(PassesPictureNameCheck("GRAF03.EMF.BAK"));
    EXPECT_FALSE(PassesPictureNameCheck("GRAF.03.EMF"));
    EXPECT_FALSE(PassesPictureNameCheck("GRAF03."));
    EXPECT_FALSE(PassesPictureNameCheck("GRAF03.EMFX"));
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
