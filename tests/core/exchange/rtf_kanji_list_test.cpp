// The kanji list: the kana file, the order of first use, the document bytes,
// and the fast lookup against the literal list search.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "core/exchange/japanese_run.h"
#include "core/exchange/rtf_kanji_list.h"
#include "support/rtf_test_support.h"
#include "store/file_saver.h"
#include "support/reference_kanji_list.h"
#include "text/rich_text.h"

namespace morvanta::exchange {
namespace {

using exchangetest::ExpectGolden;
using exchangetest::ReadFile;
using exchangetest::ReadWithLibreOffice;
using exchangetest::ReadWithUnrtf;
using exchangetest::Sjis;
using exchangetest::SourceDir;
using exchangetest::StoredRtf;

std::string KanaFile() { return ReadFile(SourceDir() / "data" / "hirakata.txt"); }

KnownCharacters Collect(const std::vector<std::string>& kanjiTexts) {
    KnownCharacters known;
    std::istringstream kana(KanaFile());
    known.loadKanaList(kana);
    for (const auto& k : kanjiTexts) known.addKanjiText(k);
    return known;
}

std::string Document(const std::vector<std::string>& kanjiTexts) {
    std::ostringstream out;
    WriteKanjiList(out, Collect(kanjiTexts));
    return out.str();
}

TEST(KanaListFile, HoldsTheHiraganaAndKatakanaAsEscapes) {
    const auto lines = SplitLines(KanaFile());
    ASSERT_EQ(lines.size(), 167u);
    EXPECT_EQ(lines.front(), Sjis("ぁ"));
    EXPECT_EQ(lines[82], Sjis("ん"));
    EXPECT_EQ(lines[83], Sjis("ァ"));
    EXPECT_EQ(lines.back(), Sjis("ヴ"));
    std::set<std::string> distinct(lines.begin(), lines.end());
    EXPECT_EQ(distinct.size(), 167u);
    for (const auto& l : lines) EXPECT_EQ(l.size(), 8u) << l;
}

TEST(KanjiList, EachCharacterOnceInOrderOfFirstUse) {
    // Kana of the Kanji texts are known characters and never listed.
    const std::vector<std::string> words = {StoredRtf("日本"), StoredRtf("本を読む"),
                                            StoredRtf("日曜日")};
    const KnownCharacters known = Collect(words);
    const std::vector<std::string> listed(known.lines().begin() + 167, known.lines().end());
    EXPECT_EQ(listed, (std::vector<std::string>{Sjis("日"), Sjis("本"), Sjis("読"), Sjis("曜")}));

    const std::string doc = Document(words);
    ExpectGolden("kanji_repeated", "expected.rtf", doc);
    EXPECT_EQ(doc.substr(doc.size() - 29), "\\pard\\ltrpar\\f2\\fs20\\par\r\n}\r\n");

    QTemporaryDir dir;
    const std::filesystem::path file = dir.path().toStdString() + "/kanji.rtf";
    store::FileSaver out(file);
    out.stream() << doc;
    out.commit();
    const std::string read = ReadWithUnrtf(file);
    for (const char* k : {"日", "本", "読", "曜"}) EXPECT_NE(read.find(k), std::string::npos) << k;
    EXPECT_EQ(read.find("を"), std::string::npos);
}

TEST(KanjiList, TwelveCharactersGiveTwelveChunks) {
    const std::string twelve = "一二三四五六七八九十百千";
    const KnownCharacters known = Collect({StoredRtf(twelve)});
    ASSERT_EQ(known.lines().size(), 167u + 12u);
    for (std::size_t i = 167; i < known.lines().size(); ++i) EXPECT_EQ(known.lines()[i].size(), 8u);
    EXPECT_EQ(known.line(168), Sjis("一"));
    EXPECT_EQ(known.line(179), Sjis("千"));
    EXPECT_EQ(known.line(180), "");
    ExpectGolden("kanji_twelve", "expected.rtf", Document({StoredRtf(twelve)}));
}

TEST(KanjiList, NothingNewGivesOneRowWithEmptyFirstBox) {
    const std::string doc = Document({StoredRtf("ひらがな"), StoredRtf("カタカナ"),
                                      text::WrapJapaneseRtf(""), ""});
    EXPECT_EQ(doc, KanjiListHead("") + "\r\n" + KanjiListTail());
    ExpectGolden("kanji_nothing_new", "expected.rtf", doc);
}

// Character by character: a kanji outside Shift-JIS (\uN? between font switches,
// or a surrogate pair) is one character wherever it stands, and only kanji are listed.
TEST(KanjiList, ReadsKanjiCharacterByCharacter) {
    const std::vector<std::string> words = {
        text::PlainTextToRtf("森鷗外"),  // \'90\'58\f1\u-25129?\f0\'8a\'4f
        text::PlainTextToRtf("\U00020BB7野家"),
        text::PlainTextToRtf("日々、ラーメン〆ヽヾゝゞ〃仝〇ＡＢ１２αЖｶﾀ!?"),
        text::WrapJapaneseRtf("\\'93\\'FA\\f1 x\\f0\\'96\\'7b"),  // 日 again, 本
        text::PlainTextToRtf("外鷗"),
    };
    const KnownCharacters known = Collect(words);
    const std::vector<std::string> listed(known.lines().begin() + 167, known.lines().end());
    EXPECT_EQ(listed, (std::vector<std::string>{Sjis("森"), "\\u-25129?", Sjis("外"),
                                                "\\u-10174?\\u-8265?", Sjis("野"), Sjis("家"),
                                                Sjis("日"), Sjis("本")}));
    const std::string doc = Document(words);
    EXPECT_NE(doc.find("\\intbl\\u-25129?\\f1\\cell"), std::string::npos);
    // A surrogate pair at a size its box holds, so no word processor breaks it in two.
    EXPECT_NE(doc.find("\\intbl{\\fs34\\u-10174?\\u-8265?}\\f1\\cell"), std::string::npos);
    QTemporaryDir dir;
    const std::filesystem::path file = dir.path().toStdString() + "/kanji.rtf";
    std::ofstream(file, std::ios::binary) << doc;
    if (const auto laidOut = ReadWithLibreOffice(file)) {
        EXPECT_NE(laidOut->find("\U00020BB7"), std::string::npos) << *laidOut;
        EXPECT_EQ(laidOut->find("\uFFFD"), std::string::npos) << *laidOut;
    }
}

TEST(KanjiList, RichTextWithoutEscapesIsNotCutIntoCharacters) {
    const KnownCharacters known = Collect({text::WrapJapaneseRtf("plain text only")});
    EXPECT_EQ(known.lines().size(), 167u);
}

TEST(KanjiList, UpperCaseEscapesAreTheSameCharacter) {
    const KnownCharacters known = Collect({text::WrapJapaneseRtf("\\'93\\'fa"), text::WrapJapaneseRtf("\\'93\\'FA"),
                                         text::WrapJapaneseRtf("\\'82\\'A0")});
    EXPECT_EQ(known.lines().size(), 168u);
}

// Random selections: kanji, kana, upper-case escapes, control words between
// escapes, texts without escapes. The lists must be equal line for line.
TEST(KanjiList, SameListAsTheLiteralSearch) {
    std::mt19937 engine(7);
    auto rng = [&engine] { return static_cast<unsigned>(engine()); };
    const std::string kana = KanaFile();
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::string> texts;
        const int words = 1 + static_cast<int>(rng() % 300);
        for (int w = 0; w < words; ++w) {
            std::string run;
            const int chars = static_cast<int>(rng() % 6);
            for (int c = 0; c < chars; ++c) {
                char escape[24];
                switch (rng() % 6) {
                    case 0:  // kana
                        std::snprintf(escape, sizeof escape, "\\'82\\'%02x", 0x9f + rng() % 83);
                        break;
                    case 1:  // upper-case digits
                        std::snprintf(escape, sizeof escape, "\\'%02X\\'%02X", 0x88 + rng() % 3,
                                      0xa0 + rng() % 20);
                        break;
                    case 2:
                        std::snprintf(escape, sizeof escape, "\\f1 a\\f0 ");
                        break;
                    default:  // kanji from a small range, so many repeat
                        std::snprintf(escape, sizeof escape, "\\'%02x\\'%02x", 0x88 + rng() % 3,
                                      0xa0 + rng() % 20);
                }
                run += escape;
            }
            texts.push_back(rng() % 10 == 0 ? "no escapes here" : text::WrapJapaneseRtf(run));
        }
        KnownCharacters known;
        std::istringstream in(kana);
        known.loadKanaList(in);
        for (const auto& t : texts) known.addKanjiText(t);
        EXPECT_EQ(known.lines(), test::ReferenceKnownCharacters(kana, texts));
    }
}

// The lists cut the run without a copy; it must be the run IsolateRtfEscapes gives.
TEST(EscapeRun, SameCutAsIsolateRtfEscapes) {
    std::mt19937 engine(11);
    const char pieces[][6] = {"\\", "'", "\\'", "8", "a", " ", "\\f0", "{", "}"};
    for (int round = 0; round < 20000; ++round) {
        std::string t;
        const int n = static_cast<int>(engine() % 12);
        for (int i = 0; i < n; ++i) t += pieces[engine() % std::size(pieces)];
        SCOPED_TRACE(t);
        const std::string expected =
            t.find("\\'") == std::string::npos ? std::string() : text::IsolateRtfEscapes(t);
        ASSERT_EQ(std::string(EscapeRunView(t)), expected);
    }
}

TEST(KanaListLines, SplitLikeAMemo) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
}  // namespace morvanta::exchange
