#include "text/fast_strings.h"

#include <gtest/gtest.h>

namespace morvanta::text {
namespace {

TEST(LocateText, ForwardCaseSensitiveFindsSmallTsuKey) {
    const std::string source = "ab\\'82\\'c1cd";
    EXPECT_EQ(3, LocateText("\\'82\\'c1", source, true, 1, true));
    EXPECT_EQ(3, LocateText("\\'82\\'c1", source, true, 3, true));
    EXPECT_EQ(0, LocateText("\\'82\\'c1", source, true, 4, true));
    EXPECT_EQ(0, LocateText("\\'82\\'c1", "", true, 1, true));
}

TEST(LocateText, ForwardFindsLeftmostAtOrAfterStart) {
    EXPECT_EQ(1, LocateText("ab", "abxab", true, 1, true));
    EXPECT_EQ(4, LocateText("ab", "abxab", true, 2, true));
    EXPECT_EQ(0, LocateText("ab", "abxAB", true, 2, true));
    EXPECT_EQ(4, LocateText("ab", "abxAB", false, 2, true));
    EXPECT_EQ(0, LocateText("ab", "abxab", true, 5, true));  // "b" alone is left
    EXPECT_EQ(0, LocateText("ab", "abxab", true, 99, true));
}

TEST(LocateText, ForwardBelowPositionOneFindsNothing) {
    EXPECT_EQ(0, LocateText("a", "aaa", true, 0, true));
    EXPECT_EQ(0, LocateText("a", "aaa", false, -5, true));
}

TEST(LocateText, BackwardFindsRightmostAtOrBeforeStart) {
    const std::string source = "abXabXab";
    EXPECT_EQ(7, LocateText("ab", source, true, 0, false));   // 0 means the last fitting position
    EXPECT_EQ(7, LocateText("ab", source, true, 8, false));   // past it as well
    EXPECT_EQ(7, LocateText("ab", source, true, 7, false));
    EXPECT_EQ(4, LocateText("ab", source, true, 6, false));
    EXPECT_EQ(1, LocateText("ab", source, true, 3, false));
    EXPECT_EQ(0, LocateText("ab", "xxab", true, 2, false));
    EXPECT_EQ(0, LocateText("ab", source, true, -1, false));
    EXPECT_EQ(7, LocateText("AB", source, false, 0, false));
    EXPECT_EQ(0, LocateText("AB", source, true, 0, false));
}

TEST(LocateText, EmptyOrTooLongSearchFindsNothing) {
    EXPECT_EQ(0, LocateText("", "abc", true, 1, true));
    EXPECT_EQ(0, LocateText("abcd", "abc", true, 1, true));
    EXPECT_EQ(0, LocateText("abcd", "abc", false, 0, false));
    EXPECT_EQ(0, LocateText("bc", "abc", true, 3, true));
}

TEST(LocateText, CaseInsensitiveFoldsWindows1252Letters) {
    // "Ä" and "ä" in Windows-1252 bytes.
    EXPECT_EQ(2, LocateText("\xC4Rger", "x\xE4rger", false, 1, true));
    EXPECT_EQ(0, LocateText("\xC4Rger", "x\xE4rger", true, 1, true));
    EXPECT_EQ(2, LocateText("\xE4RGER", "x\xC4rger", false, 0, false));
}

TEST(UpperFoldTable, MapsWindows1252SmallLettersToCapitals) {
    const auto& fold = UpperFoldTable();
    EXPECT_EQ(0, fold[0]);
    EXPECT_EQ('A', fold['a']);
    EXPECT_EQ('Z', fold['z']);
    EXPECT_EQ('1', fold['1']);
    EXPECT_EQ(0xC4, fold[0xE4]);  // ä
    EXPECT_EQ(0xDE, fold[0xFE]);  // þ
    EXPECT_EQ(0xF7, fold[0xF7]);  // ÷ has no capital
    EXPECT_EQ(0xDF, fold[0xDF]);  // ß neither
    EXPECT_EQ(0x8A, fold[0x9A]);  // š
    EXPECT_EQ(0x8C, fold[0x9C]);  // œ
    EXPECT_EQ(0x9F, fold[0xFF]);  // ÿ
    EXPECT_EQ(&fold, &UpperFoldTable());
}

TEST(ParseHexText, ReadsUpperAndLowerCaseDigits) {
    EXPECT_EQ(255, ParseHexText("00FF"));
    EXPECT_EQ(255, ParseHexText("00ff"));
    EXPECT_EQ(32767, ParseHexText("7FFF"));
    EXPECT_EQ(0, ParseHexText(""));
    EXPECT_EQ(0x123456789ABCDEFLL, ParseHexText("123456789abcdef"));
    EXPECT_EQ(-1, ParseHexText("FFFFFFFFFFFFFFFF"));
}

TEST(ParseHexText, NamesTheOffendingCharacter) {
    auto messageOf = [](std::string_view hex) {
        try {
            ParseHexText(hex);
        } catch (const HexError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ("Invalid hex character G", messageOf("0G12"));
    EXPECT_EQ("Invalid hex character G", messageOf("12G4"));
    EXPECT_EQ("Invalid hex character  ", messageOf("1 2"));
    EXPECT_EQ("Invalid hex character \xC3\xA4", messageOf("1\xC3\xA4"));  // a whole UTF-8 "ä"
}

TEST(TakeLeft, CutsOrKeepsWholeText) {
    EXPECT_EQ("Ha", TakeLeft("Haus", 2));
    EXPECT_EQ("Haus", TakeLeft("Haus", 9));
    EXPECT_EQ("", TakeLeft("Haus", 0));
    EXPECT_EQ("", TakeLeft("Haus", -3));
}

}  // namespace
}  // namespace morvanta::text
