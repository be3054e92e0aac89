#include "text/rich_text.h"

#include <gtest/gtest.h>

#include <random>

#include "escapes_of.h"
#include "text/escape_runs.h"

namespace morvanta::text {
namespace {

using testing::EscapesOf;

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset128 MS UI Gothic;}"
    "{\\f1\\fnil\\fcharset0 Arial;}}\\viewkind4\\uc1\\pard\\f0\\fs24";

TEST(PlainTextToRtf, WritesJapaneseAsLowerCaseShiftJisEscapesUnderFontZero) {
    EXPECT_EQ(std::string(kHeader) + "\\'82\\'a9\\'82\\'c8\\par\n}", PlainTextToRtf("かな"));
    EXPECT_EQ(std::string(kHeader) + "\\par\n}", PlainTextToRtf(""));
    EXPECT_EQ(std::string::npos, PlainTextToRtf("").find("\\'"));
}

TEST(PlainTextToRtf, SwitchesToFontOneForLatinAndEscapesSpecials) {
    EXPECT_EQ(std::string(kHeader) + "\\f1 Haus \\'e4\\\\\\{\\}\\tab 1\\par\nx\\par\n}",
              PlainTextToRtf("Haus ä\\{}\t1\nx"));
    EXPECT_EQ(std::string(kHeader) + "\\'82\\'a0\\f1 a\\f0\\'82\\'a0 1\\par\n}", PlainTextToRtf("あaあ 1"));
    // € has a Windows-1252 byte; the emoji has none and goes as a surrogate pair.
    EXPECT_EQ(std::string(kHeader) + "\\f1\\'80\\u-10179?\\u-8704?\\par\n}", PlainTextToRtf("€\U0001F600"));
}

TEST(RtfToPlainText, ReadsOwnDocumentsBack) {
    const std::string texts[] = {
        "",
        "かな",
        "日本語を勉強します",
        "カタカナ、ひらがな。",
        "Haus, Heim; Zuhause",
        "äöüß ÄÖÜ € „Zitat“",
        "東京 Tokyo 2024\nZeile zwei\n\nleer davor",
        "\\{}\ttab",
        "ｶﾀｶﾅ ﾊﾝｶｸ",
        "Emoji \U0001F600 und Hangul 한",
        "ends with newline\n",
        "ソ表能",  // trail byte 0x5c
    };
    for (const std::string& t : texts) {
        SCOPED_TRACE(t);
        EXPECT_EQ(t, RtfToPlainText(PlainTextToRtf(t)));
    }
}

// A document of the program's own starts after its head, read once; it must read
// as a document whose head is read afresh (an empty group right after "{\rtf1"
// changes nothing, but no head begins so).
TEST(RtfToPlainText, OwnHeadsReadAsAnyOtherDocument) {
    const auto afresh = [](const std::string& doc) {
        return RtfToPlainText(doc.substr(0, 6) + "{}" + doc.substr(6));
    };
    for (const std::string& doc :
         {PlainTextToRtf("家 Haus"), PlainTextToRtf("1 Stück"), PlainTextToRtf(" vorn"), PlainTextToRtf(""),
          WrapJapaneseRtf("\\'89\\'c6"), WrapJapaneseRtf("7"), WrapJapaneseRtf(" \\'82\\'a0"),
          WrapJapaneseRtf("-3x"), WrapJapaneseRtf("}"), WrapJapaneseRtf("")}) {
        SCOPED_TRACE(doc);
        ASSERT_EQ(doc.substr(0, 6), "{\\rtf1");
        EXPECT_EQ(RtfToPlainText(doc), afresh(doc));
    }
}

TEST(RtfToPlainText, KanaDocumentGivesRomajiThroughEscapeRun) {
    const std::pair<const char*, const char*> words[] = {
        {"かな", "kana"}, {"ちょっと", "chotto"}, {"シャツ", "shatsu"}, {"がっこう", "gakkou"}, {"かな かな", "kana kana"}};
    for (const auto& [kana, romaji] : words) {
        SCOPED_TRACE(kana);
        EXPECT_EQ(romaji, KanaToHepburn(IsolateRtfEscapes(PlainTextToRtf(kana))));
    }
}

TEST(RtfToPlainText, TextThatIsNoRtfComesBackAsIs) {
    EXPECT_EQ("", RtfToPlainText(""));
    EXPECT_EQ("plain {text}", RtfToPlainText("plain {text}"));
    EXPECT_EQ(" {\\rtf1 x}", RtfToPlainText(" {\\rtf1 x}"));
}

TEST(RtfToPlainText, ReadsWordProcessorRtf) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times;}"
        "{\\f1\\fnil\\fcharset128 MS Mincho;}}{\\colortbl;\\red255\\green0\\blue0;}"
        "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Titel}{\\author Ich}}"
        "{\\*\\generator Writer;}\\pard\\plain\\f0 Stra\\'dfe {\\b fett} \\uc1\\u8364\\'80 "
        "{\\f1 \\'93\\'fa\\'96\\'7b}\\line\\uc2\\u26085\\'93\\'fa x\\uc1\\u-10179?\\u-8704?"
        "{\\pict\\pngblip 89504e47}\\tab\\~\\emdash\\par}";
    EXPECT_EQ("Straße fett € 日本\n日 x\U0001F600\t\u00A0\u2014", RtfToPlainText(rtf));
}

TEST(RtfToPlainText, ShiftJisTrailByteMayBeLiteral) {
    // ア is 83 41: the trail byte "A" written as a plain character.
    EXPECT_EQ("ア", RtfToPlainText("{\\rtf1{\\fonttbl{\\f0\\fcharset128 G;}}\\f0\\'83A}"));
    // The same escapes under a Western font are two Windows-1252 characters.
    EXPECT_EQ("\u0192A", RtfToPlainText("{\\rtf1{\\fonttbl{\\f0\\fcharset0 A;}}\\f0\\'83A}"));
    // A lead byte without its trail becomes a replacement character.
    EXPECT_EQ("\uFFFDx", RtfToPlainText("{\\rtf1{\\fonttbl{\\f0\\fcharset128 G;}}{\\f0\\'83}x}"));
    EXPECT_EQ("\uFFFD", RtfToPlainText("{\\rtf1{\\fonttbl{\\f0\\fcharset128 G;}}\\f0\\'83"));
}

TEST(RtfToPlainText, SurvivesBrokenAndHostileInput) {
    const std::string cases[] = {
        "{\\rtf",
        "{\\rtf1\\",
        "{\\rtf1\\'",
        "{\\rtf1\\'8",
        "{\\rtf1\\'zz ok}",
        "{\\rtf1 }}}}} after",
        "{\\rtf1\\u",
        "{\\rtf1\\u-99999999999999999999?}",
        "{\\rtf1\\uc99999999\\u65 abc}",
        "{\\rtf1\\bin999999 x}",
        "{\\rtf1\\f99999999999 x\\fcharset128}",
        "{\\rtf1{\\fonttbl{\\f-5\\fcharset128 x;}}\\f-5 a}",
        std::string("{\\rtf1 a\0b}", 11),
    };
    for (const std::string& c : cases) {
        SCOPED_TRACE(c);
        EXPECT_NO_THROW(RtfToPlainText(c));
    }
    EXPECT_EQ("ok", RtfToPlainText("{\\rtf1\\'zz ok}").substr(3));
    EXPECT_EQ("A", RtfToPlainText("{\\rtf1\\uc99999999\\u65 abc}"));
}

TEST(RtfToPlainText, DeepNestingIsReadWithoutRecursion) {
    const std::string deep = "{\\rtf1 " + std::string(100'000, '{') + "x" + std::string(100'000, '}') + "}";
    EXPECT_EQ("x", RtfToPlainText(deep));
}

TEST(RtfToPlainText, RandomGarbageNeverCrashes) {
#ifndef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "asserts nothing without the sanitizers (scripts/test --sanitize); the fuzz targets go further";
#endif
    std::mt19937 rng(99);
    const std::string alphabet = "{}\\'*0123456789abcdefuABCxyz -;\n\x82\xff";
    for (int i = 0; i < 5'000; ++i) {
        std::string s = "{\\rtf1";
        const int len = static_cast<int>(rng() % 60);
        for (int k = 0; k < len; ++k) s += alphabet[rng() % alphabet.size()];
        RtfToPlainText(s);  // under the sanitizers this checks every read
    }
}

}  // namespace
}  // namespace morvanta::text
