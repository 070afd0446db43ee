#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "engine/texts.hpp"

namespace florimant {
namespace {

TEST(SignTables, NamesInEveryForm) {
    EXPECT_EQ(SignName(0), "Ariete");
    EXPECT_EQ(SignName(static_cast<int>(Sign::Pesci)), "Pesci");
    EXPECT_EQ(SignUpperName(7), "SCORPIONE ");
    EXPECT_EQ(SignUpperName(8), "SAGITTARIO");
    EXPECT_EQ(SignName4(10), "Acqu");
    EXPECT_EQ(SignName3(9), "Cap");
    for (int s = 0; s < 12; ++s) {
        EXPECT_EQ(SignUpperName(s).size(), 10u);
        EXPECT_EQ(SignName(s).substr(0, 3), SignName3(s));
    }
    EXPECT_EQ(SignName(12), "");
    EXPECT_EQ(SignName3(-1), "");
    EXPECT_EQ(SignOf(0), 0);
    EXPECT_EQ(SignOf(29.999L), 0);
    EXPECT_EQ(SignOf(30), 1);
    EXPECT_EQ(SignOf(359.99L), 11);
}

TEST(ZeroPad, PadsAndKeepsFiveCharacters) {
    EXPECT_EQ(ZeroPad(7, 2), "07");
    EXPECT_EQ(ZeroPad(123, 2), "123");
    EXPECT_EQ(ZeroPad(0, 4), "0000");
    EXPECT_EQ(ZeroPad(2000, 4), "2000");
    EXPECT_EQ(ZeroPad(1234567, 2), "12345");
    EXPECT_EQ(ZeroPad(-5, 2), "-5");
}

TEST(FormatDecimal, TruncatesThePlainExpansionOfTheMagnitude) {
    EXPECT_EQ(FormatDecimal(4, 1), "1.00");
    EXPECT_EQ(FormatDecimal(4, 1.5L), "1.50");
    EXPECT_EQ(FormatDecimal(4, 12.5L), "12.5");
    EXPECT_EQ(FormatDecimal(4, 0.05L), "0.05");
    EXPECT_EQ(FormatDecimal(4, -2), "2.00");
    EXPECT_EQ(FormatDecimal(4, -0.5L), "0.50");
    EXPECT_EQ(FormatDecimal(4, 0), "0.00");
    EXPECT_EQ(FormatDecimal(11, 2451545.0L), "2451545.000");
    EXPECT_EQ(FormatDecimal(11, 2451545.1239L), "2451545.123");  // truncated, not rounded
    EXPECT_EQ(FormatDecimal(6, 0.0001234L), "0.0001");
    EXPECT_EQ(FormatDecimal(5, 9.99999999999999999L), "10.00");  // 15 significant digits round first
    EXPECT_EQ(FormatDecimal(18, 1.5e17L), "150000000000000000");
    EXPECT_EQ(FormatDecimal(0, 3), "");
}

TEST(FormatDecimal, RefusesValuesThatAreNotFinite) {
    EXPECT_THROW(FormatDecimal(4, std::numeric_limits<Real>::infinity()), std::domain_error);
    EXPECT_THROW(FormatDecimal(4, std::numeric_limits<Real>::quiet_NaN()), std::domain_error);
}

TEST(SignDegreeText, SecondsAndRoundedMinutes) {
    const Real lambda = 15 + 23 / 60.0L + 45 / 3600.0L;
    EXPECT_EQ(SignDegreeText(2, lambda), "15Ari23:45");
    EXPECT_EQ(SignDegreeText(1, lambda), "15Ari24");
    EXPECT_EQ(SignDegreeText(1, 15 + 23 / 60.0L + 20 / 3600.0L), "15Ari23");
    EXPECT_EQ(SignDegreeText(0, 75.5L), "15Gem30");
    // Never carried past 29°59' into the next sign.
    EXPECT_EQ(SignDegreeText(1, 359.999L), "29Pes59");
    EXPECT_EQ(SignDegreeText(1, 59.9999L), "29Tor59");
    // 58.8 minutes round up to 59 and then carry to the next whole degree.
    EXPECT_EQ(SignDegreeText(1, 10.98L), "11Ari00");
    EXPECT_EQ(SignDegreeText(1, 10 + 59 / 60.0L + 45 / 3600.0L), "11Ari00");
    EXPECT_EQ(SignDegreeText(1, 10 + 59 / 60.0L + 10 / 3600.0L), "10Ari59");
    EXPECT_EQ(SignDegreeText(1, 0), "00Ari00");
    EXPECT_EQ(SignDegreeText(1, 300.25L), "00Acq15");
}

TEST(InSignText, DegreeMinuteSecondMarks) {
    const Real lambda = 45 + 7 / 60.0L + 8 / 3600.0L;
    EXPECT_EQ(InSignText(2, lambda), "15°07'08\"");
    EXPECT_EQ(InSignText(1, lambda), "15°07'");
    EXPECT_EQ(InSignText(1, 45 + 7 / 60.0L + 40 / 3600.0L), "15°08'");
    EXPECT_EQ(InSignText(1, 359.999L), "29°59'");
}

TEST(SignPositionText, NameAndRetrogradeFlag) {
    EXPECT_EQ(SignPositionText("r", 75.5L), "15°30' Gemelli Retrogrado ");
    EXPECT_EQ(SignPositionText("R", 75.5L), "15°30' Gemelli Retrogrado ");
    EXPECT_EQ(SignPositionText(" ", 0), "00°00' Ariete ");
    EXPECT_EQ(SignPositionText("", 359.999L), "29°59' Pesci");
}

TEST(LatitudeText, HemisphereAndTruncatedMinutes) {
    EXPECT_EQ(LatitudeText(45.5L), "45° 30' Nord");
    EXPECT_EQ(LatitudeText(-33.999L), "33° 59' Sud");
    EXPECT_EQ(LatitudeText(0), "00° 00' Nord");
    EXPECT_EQ(LatitudeText(7.25L), "07° 15' Nord");
}

TEST(TextHelpers, RepeatChar) {
    EXPECT_EQ(RepeatChar(3, '-'), "---");
    EXPECT_EQ(RepeatChar(0, '-'), "");
    EXPECT_EQ(RepeatChar(-2, '-'), "");
}

}  // namespace
}  // namespace florimant
