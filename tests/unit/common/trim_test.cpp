#include <gtest/gtest.h>

#include "common/trim.hpp"

using namespace florimant;

namespace {

TEST(Blanks, AreSpacesUnlessTheCallerNamesOthers) {
    EXPECT_EQ(WithoutLeadingBlanks("   Milano "), "Milano ");
    EXPECT_EQ(WithoutTrailingBlanks("   Milano "), "   Milano");
    EXPECT_EQ(WithoutBlanksAround("   Milano  "), "Milano");
    EXPECT_EQ(WithoutBlanksAround("    "), "");
    EXPECT_EQ(WithoutBlanksAround(""), "");
    EXPECT_EQ(WithoutTrailingBlanks("Roma\t "), "Roma\t");
    EXPECT_EQ(WithoutTrailingBlanks("Roma\t ", " \t"), "Roma");
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank(" \t "));
    EXPECT_FALSE(IsBlank("  x"));
}

TEST(Blanks, TrimLeadingBlanksWorksInPlace) {
    std::string s = "   Milano ";
    TrimLeadingBlanks(s);
    EXPECT_EQ(s, "Milano ");
    s = "    ";
    TrimLeadingBlanks(s);
    EXPECT_EQ(s, "");
}

TEST(TrailingJunk, GoesAtMostTenCharacters) {
    std::string s = "Nome" + std::string(12, ' ');
    TrimTrailingJunk(s);
    EXPECT_EQ(s, "Nome  ");  // twelve blanks, ten removed
    EXPECT_EQ(WithoutTrailingJunk("Rosmarino (foglie).;, \r\n"), "Rosmarino (foglie).");
    EXPECT_EQ(WithoutTrailingJunk("Rosmarino (foglie)!!"), "Rosmarino (foglie)");
    EXPECT_EQ(WithoutTrailingJunk("---"), "");
    EXPECT_EQ(WithoutTrailingJunk(""), "");
}

TEST(TrailingJunk, KeepsTheAccentedLettersAndRemovesWholeCharacters) {
    std::string s = "Virtù  ";
    TrimTrailingJunk(s);
    EXPECT_EQ(s, "Virtù");
    EXPECT_EQ(WithoutTrailingJunk("perché"), "perché");
    EXPECT_EQ(WithoutTrailingJunk("ciò"), "ciò");
    EXPECT_EQ(WithoutTrailingJunk("45°°°°°°°°°°°"), "45°");  // eleven degree signs, one removal each
    EXPECT_EQ(WithoutTrailingJunk("Salvia «"), "Salvia");
    // Other accented letters are junk at the end; so is a letter in an over-long form.
    EXPECT_EQ(WithoutTrailingJunk("Citrus ü"), "Citrus");
    EXPECT_EQ(WithoutTrailingJunk("a\xC1\xA1"), "a");
    // A byte that is not UTF-8 goes as one character.
    EXPECT_EQ(WithoutTrailingJunk("Caff\xE8"), "Caff");
}

TEST(TrailingJunk, TheWindows1252FormWorksOnBytes) {
    EXPECT_EQ(WithoutTrailingJunkCp1252("Asma, "), "Asma");
    EXPECT_EQ(WithoutTrailingJunkCp1252("Asma ;"), "Asma");
    EXPECT_EQ(WithoutTrailingJunkCp1252("Asma."), "Asma.");
    EXPECT_EQ(WithoutTrailingJunkCp1252("Caff\xE8\r\n"), "Caff\xE8");
    EXPECT_EQ(WithoutTrailingJunkCp1252("Tosse (1)"), "Tosse (1)");
    EXPECT_EQ(WithoutTrailingJunkCp1252("x" + std::string(12, ' ')), "x  ");  // at most ten go
    EXPECT_EQ(WithoutTrailingJunkCp1252("   "), "");
    EXPECT_EQ(WithoutTrailingJunkCp1252("Citrus \xFC"), "Citrus");
    // The same text gives the same result in both forms.
    EXPECT_EQ(WithoutTrailingJunkCp1252("Virt\xF9. ;"), "Virt\xF9.");
    EXPECT_EQ(WithoutTrailingJunk("Virtù. ;"), "Virtù.");
}

}  // namespace
