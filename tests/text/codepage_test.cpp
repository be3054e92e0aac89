#include "text/codepage.h"

#include <gtest/gtest.h>

namespace morvanta::text {
namespace {

TEST(CodePage, ShiftJisOfKanaKanjiAndHalfWidth) {
    EXPECT_EQ(std::optional<std::string>("\x82\xA0"), CodePointToCp932(U'あ'));
    EXPECT_EQ(std::optional<std::string>("\x83\x41"), CodePointToCp932(U'ア'));
    EXPECT_EQ(std::optional<std::string>("\x8A\xBF"), CodePointToCp932(U'漢'));
    EXPECT_EQ(std::optional<std::string>("\x81\x5B"), CodePointToCp932(U'ー'));
    EXPECT_EQ(std::optional<std::string>("\xB1"), CodePointToCp932(U'ｱ'));
    EXPECT_EQ(std::optional<std::string>("A"), CodePointToCp932(U'A'));
    EXPECT_EQ(std::nullopt, CodePointToCp932(U'ä'));
    EXPECT_EQ(std::nullopt, CodePointToCp932(U'€'));
    EXPECT_EQ(std::nullopt, CodePointToCp932(U'\U0001F600'));
}

TEST(CodePage, ShiftJisDecodesAndMarksBrokenBytes) {
    EXPECT_EQ("かな漢ｱx", Cp932ToUtf8("\x82\xA9\x82\xC8\x8A\xBF\xB1x"));
    EXPECT_EQ("a\xEF\xBF\xBD", Cp932ToUtf8("a\x82"));           // lead byte at the end
    EXPECT_EQ("\xEF\xBF\xBD\n", Cp932ToUtf8("\x82\n"));          // no trail byte
}

TEST(CodePage, Windows1252BothWays) {
    EXPECT_EQ("äöüß€", Cp1252ToUtf8("\xE4\xF6\xFC\xDF\x80"));
    EXPECT_EQ("\xE4\xF6\xFC\xDF\x80", Utf8ToCp1252("äöüß€"));
    EXPECT_EQ("a?b", Utf8ToCp1252("aあb"));
    EXPECT_EQ("\xEF\xBF\xBD", Cp1252ToUtf8("\x81"));  // unassigned byte
    EXPECT_EQ(std::optional<unsigned char>(0x9F), CodePointToCp1252(U'Ÿ'));
    EXPECT_EQ(std::nullopt, CodePointToCp1252(U'あ'));
}

TEST(CodePage, Utf8CodePointsRoundTripAndRepairBrokenInput) {
    const std::string text = "aä€あ\U0001F600";
    EXPECT_EQ(text, CodePointsToUtf8(Utf8ToCodePoints(text)));
    EXPECT_EQ(U"a\uFFFDb", Utf8ToCodePoints("a\xC3" "b"));
    EXPECT_EQ(U"\uFFFD\uFFFD", Utf8ToCodePoints("\xED\xA0"));  // cut surrogate encoding
    EXPECT_EQ("\xEF\xBF\xBD", CodePointsToUtf8(U"\xD800"));
}

TEST(CodePage, UpperCase1252FoldsOnlyCodePageLetters) {
    EXPECT_EQ("ÄÖÜSS€ß Œ ŸあA", UpperCase1252("äöüss€ß œ ÿあa"));
}

}  // namespace
}  // namespace morvanta::text
