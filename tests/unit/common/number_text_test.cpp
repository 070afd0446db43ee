#include <gtest/gtest.h>

#include <clocale>

#include "common/number_text.hpp"

using namespace florimant;

namespace {

// A field that must be the number and nothing else.
constexpr NumberTextRules ExactNumber{.BlanksBefore = "", .BlanksAfter = "", .DecimalComma = false};

TEST(LeadingNumbers, AreReadFromTheStartOfASettingsLine) {
    EXPECT_EQ(*ParseLeadingReal(" 4.50000000000000E+0000"), 4.5L);
    EXPECT_EQ(*ParseLeadingReal("  10 gradi"), 10);
    EXPECT_EQ(*ParseLeadingReal("\t-2.5e1x"), -25);
    EXPECT_EQ(*ParseLeadingReal("+3"), 3);
    EXPECT_EQ(*ParseLeadingReal("7e"), 7);  // an exponent without digits is not part of the number
    EXPECT_FALSE(ParseLeadingReal("x1"));
    EXPECT_FALSE(ParseLeadingReal(""));
    EXPECT_FALSE(ParseLeadingReal("."));
    EXPECT_FALSE(ParseLeadingReal("inf"));
    EXPECT_FALSE(ParseLeadingReal("1e99999"));
    EXPECT_EQ(*ParseLeadingInteger("1.0"), 1);
    EXPECT_EQ(*ParseLeadingInteger("-3 uses"), -3);
    EXPECT_EQ(*ParseLeadingInteger("1.9"), 1);
    EXPECT_FALSE(ParseLeadingInteger("3e9"));
    EXPECT_FALSE(ParseLeadingInteger("molti"));
}

TEST(WholeNumbers, TakeBlanksAndADecimalCommaByDefault) {
    EXPECT_EQ(*ParseWholeReal(" 1,5 "), 1.5L);
    EXPECT_EQ(*ParseWholeReal("\t+2.25"), 2.25L);
    EXPECT_EQ(*ParseWholeReal("-1e3"), -1000);
    EXPECT_EQ(*ParseWholeReal("1."), 1);
    EXPECT_EQ(*ParseWholeReal(".5"), 0.5L);
    EXPECT_FALSE(ParseWholeReal(""));
    EXPECT_FALSE(ParseWholeReal("   "));
    EXPECT_FALSE(ParseWholeReal("1,2,3"));
    EXPECT_FALSE(ParseWholeReal("1.5 gradi"));
    EXPECT_FALSE(ParseWholeReal("1e"));
    EXPECT_FALSE(ParseWholeReal("0x10"));
    EXPECT_FALSE(ParseWholeReal("nan"));
    EXPECT_FALSE(ParseWholeReal("1e99999"));
}

TEST(WholeNumbers, FollowTheCallersRules) {
    constexpr NumberTextRules nothingAfter{.BlanksAfter = ""};
    EXPECT_EQ(*ParseWholeReal("  2451545,5", nothingAfter), 2451545.5L);
    EXPECT_FALSE(ParseWholeReal("2451545.5 ", nothingAfter));
    EXPECT_FALSE(ParseWholeReal(" 1.5", ExactNumber));
    EXPECT_FALSE(ParseWholeReal("1,5", ExactNumber));
    EXPECT_EQ(*ParseWholeReal("-1.5", ExactNumber), -1.5L);
    constexpr NumberTextRules unsignedDigits{.Signed = false};
    EXPECT_FALSE(ParseWholeInteger("+5", unsignedDigits));
    EXPECT_EQ(*ParseWholeInteger(" 5 ", unsignedDigits), 5);
}

TEST(WholeNumbers, IntegersHaveNoPointAndMayBeLimitedInDigits) {
    EXPECT_EQ(*ParseWholeInteger(" -12 "), -12);
    EXPECT_EQ(*ParseWholeInteger("+7"), 7);
    EXPECT_FALSE(ParseWholeInteger("1.0"));
    EXPECT_FALSE(ParseWholeInteger("1e3"));
    EXPECT_FALSE(ParseWholeInteger("-"));
    EXPECT_FALSE(ParseWholeInteger("99999999999999999999"));
    constexpr NumberTextRules nine{.MostDigits = 9};
    EXPECT_EQ(*ParseWholeInteger("999999999", nine), 999999999);
    EXPECT_FALSE(ParseWholeInteger("0000000001", nine));
}

TEST(WholeNumbers, DoublesAreRoundedOnceAsADoubleReaderRoundsThem) {
    for (const char* text : {"0.1", "2451545.123456789", "1e-300", "123456789012345678901234567890"})
        EXPECT_EQ(*ParseWholeDouble(text), std::stod(text)) << text;
    EXPECT_FALSE(ParseWholeDouble("1e400"));  // beyond a double, though not beyond the extended real
    EXPECT_TRUE(ParseWholeReal("1e400"));
}

TEST(WholeNumbers, TheLocaleHasNoSay) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    // A comma locale, where one is installed; "C" otherwise, which proves nothing but harms nothing.
    if (!std::setlocale(LC_NUMERIC, "it_IT.UTF-8")) std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(*ParseWholeReal("1.5", ExactNumber), 1.5L);
    EXPECT_EQ(*ParseLeadingReal("2.5"), 2.5L);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Digits, AreDigitsOnly) {
    EXPECT_EQ(*ParseDigits("0042"), 42u);
    EXPECT_FALSE(ParseDigits(""));
    EXPECT_FALSE(ParseDigits("+1"));
    EXPECT_FALSE(ParseDigits("-0"));
    EXPECT_FALSE(ParseDigits(" 1"));
    EXPECT_FALSE(ParseDigits("99999999999999999999999"));
    EXPECT_TRUE(IsAllDigits("00390000"));
    EXPECT_FALSE(IsAllDigits("0039000A"));
    EXPECT_FALSE(IsAllDigits(""));
}

TEST(Digits, AtAPlaceOfAFixedLayout) {
    const std::string date = "15/07/1970 12:05";
    EXPECT_EQ(*DigitsAt(date, 0, 2), 15);
    EXPECT_EQ(*DigitsAt(date, 6, 4), 1970);
    EXPECT_EQ(*DigitsAt(date, 14, 2), 5);
    EXPECT_FALSE(DigitsAt(date, 1, 2));   // "5/"
    EXPECT_FALSE(DigitsAt(date, 15, 2));  // past the end
    EXPECT_FALSE(DigitsAt(date, 40, 1));
    EXPECT_EQ(*DigitsAt(date, 16, 0), 0);
}

TEST(ScientificForm, HasFifteenSignificantDigits) {
    const ScientificForm ten = ScientificFormOf(10);
    EXPECT_EQ(ten.Mantissa, "1.00000000000000");
    EXPECT_EQ(ten.Exponent, 1);
    const ScientificForm small = ScientificFormOf(-0.000125L);
    EXPECT_EQ(small.Mantissa, "1.25000000000000");
    EXPECT_EQ(small.Exponent, -4);
    EXPECT_EQ(ScientificFormOf(0).Exponent, 0);
    EXPECT_EQ(ScientificFormOf(1e-4000L).Exponent, -4000);
}

}  // namespace
