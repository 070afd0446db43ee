#include <gtest/gtest.h>

#include "common/utf8.hpp"

using namespace florimant;

namespace {

TEST(Utf8Characters, CountAndCutAtCharacterBoundaries) {
    EXPECT_EQ(CharacterCount(""), 0u);
    EXPECT_EQ(CharacterCount("perché"), 6u);
    EXPECT_EQ(CharacterCount("45°"), 3u);
    EXPECT_EQ(FirstCharacters("perché no", 6), "perché");
    EXPECT_EQ(FirstCharacters("perché", 5), "perch");
    EXPECT_EQ(FirstCharacters("città", 80), "città");
    EXPECT_EQ(CharacterSlice("Virtù e più", 4, 3), "ù e");
    EXPECT_EQ(CharacterSlice("abc", 5), "");
    EXPECT_EQ(CharacterSlice("abc", 1), "bc");
}

TEST(Utf8Characters, ADamagedTextIsCutOnlyBeforeALeadByte) {
    // A stray continuation byte belongs to the character before it.
    EXPECT_EQ(CharacterCount("a\x80\x80"
                             "b"),
              2u);
    EXPECT_EQ(FirstCharacters("a\x80\x80"
                              "b",
                              1),
              "a\x80\x80");
    // A Windows-1252 "à" alone is one character.
    EXPECT_EQ(CharacterCount("\xE0"
                             "b"),
              2u);
}

TEST(Utf8Characters, StepsForwardAndBack) {
    const std::string text = "a°b";
    EXPECT_EQ(NextCharacterStart(text, 0), 1u);
    EXPECT_EQ(NextCharacterStart(text, 1), 3u);
    EXPECT_EQ(NextCharacterStart(text, 3), 4u);
    EXPECT_EQ(LastCharacterStart(text), 3u);
    EXPECT_EQ(LastCharacterStart("a°"), 1u);
    EXPECT_EQ(LastCharacterStart(""), 0u);
    std::string key = "Caffè";
    RemoveLastCharacter(key);
    EXPECT_EQ(key, "Caff");
    RemoveLastCharacter(key);
    EXPECT_EQ(key, "Caf");
    key.clear();
    RemoveLastCharacter(key);
    EXPECT_EQ(key, "");
}

TEST(Utf8Decoding, WholeSequencesGiveTheirCodePoints) {
    const auto at = [](std::string_view text, size_t i = 0) { return DecodeUtf8(text, i); };
    EXPECT_EQ(at("A").CodePoint, U'A');
    EXPECT_EQ(at("A").Length, 1u);
    EXPECT_TRUE(at("A").Complete);
    EXPECT_EQ(at("è").CodePoint, U'è');
    EXPECT_EQ(at("è").Length, 2u);
    EXPECT_EQ(at("€").CodePoint, U'€');
    EXPECT_EQ(at("€").Length, 3u);
    EXPECT_EQ(at("\xF0\x9F\x98\x80").CodePoint, char32_t(0x1F600));
    EXPECT_EQ(at("x€", 1).CodePoint, U'€');
    // An over-long form spells its value; the callers that refuse it check the length.
    EXPECT_TRUE(at("\xC1\xA1").Complete);
    EXPECT_EQ(at("\xC1\xA1").CodePoint, U'a');
}

TEST(Utf8Decoding, BrokenSequencesCoverTheBytesThatFollowTheirLead) {
    for (std::string_view broken : {"\x80", "\xBF", "\xF8", "\xFF"}) {
        EXPECT_FALSE(DecodeUtf8(broken, 0).Complete) << int(static_cast<unsigned char>(broken[0]));
        EXPECT_EQ(DecodeUtf8(broken, 0).Length, 1u);
    }
    EXPECT_FALSE(DecodeUtf8("\xE2\x82", 0).Complete);  // "€" cut short
    EXPECT_EQ(DecodeUtf8("\xE2\x82", 0).Length, 2u);
    EXPECT_EQ(DecodeUtf8("\xE2\x82z", 0).Length, 2u);
    EXPECT_EQ(DecodeUtf8("\xC3z", 0).Length, 1u);
}

TEST(Utf8Encoding, AppendsTheShortestForm) {
    for (char32_t cp : {char32_t(0x41), char32_t(0xE8), char32_t(0x20AC), char32_t(0x1F600)}) {
        std::string text;
        AppendUtf8(text, cp);
        const Utf8Character back = DecodeUtf8(text, 0);
        EXPECT_TRUE(back.Complete);
        EXPECT_EQ(back.CodePoint, cp);
        EXPECT_EQ(back.Length, text.size());
    }
    std::string text;
    AppendUtf8(text, U'è');
    EXPECT_EQ(text, "è");
}

TEST(LetterCase, OnlyTheAsciiLettersChange) {
    std::string s = "città di Roma";
    UpperCaseInPlace(s);
    EXPECT_EQ(s, "CITTà DI ROMA");
    EXPECT_EQ(UpperCaseAscii("caffè \xE8 z{"), "CAFFè \xE8 Z{");
    EXPECT_EQ(UpperCaseAscii('q'), 'Q');
    EXPECT_EQ(UpperCaseAscii('@'), '@');
    EXPECT_EQ(LowerCaseAscii(".PNG"), ".png");
    EXPECT_EQ(LowerCaseAscii("ÈMF"), "Èmf");
    EXPECT_EQ(LowerCaseAscii('['), '[');
}

}  // namespace
