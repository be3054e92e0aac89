// The practice list document, byte for byte, and read back by a real RTF reader.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>
#include <vector>

#include "core/exchange/rtf_practice_list.h"
#include "support/rtf_test_support.h"
#include "store/file_saver.h"
#include "text/rich_text.h"

namespace morvanta::exchange {
namespace {

using exchangetest::ExpectGolden;
using exchangetest::ReadWithUnrtf;
using exchangetest::Sjis;
using exchangetest::StoredRtf;

struct Word {
    std::string kanji, kana, translation;  // stored forms (RTF, RTF, UTF-8)
};

std::string Document(const std::vector<Word>& words) {
    std::ostringstream out;
    PracticeListWriter writer(out);
    for (const Word& w : words) writer.addWord(w.kanji, w.kana, w.translation);
    writer.finish();
    return out.str();
}

// Writes the document to a real file the way the page does and returns the reader's text.
std::string ThroughReader(const std::string& document) {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.path().toStdString() + "/list.rtf";
    store::FileSaver out(file);
    out.stream() << document;
    out.commit();
    return ReadWithUnrtf(file);
}

TEST(PracticeListBuilders, RowsAreTheFixedRtfWords) {
    EXPECT_EQ(MarkJapaneseRun("\\'8a\\'bf"), "\\lang1041\\f0\\fs24\\'8a\\'bf\\lang1031\\f1");
    const std::string row = PracticeRow("K", "H", "T");
    EXPECT_EQ(row.rfind("\\f0\\trowd\\trgaph70\\trleft-70\\trbrdrt\\brdrs\\brdrw10\\trbrdrl", 0), 0u);
    EXPECT_NE(row.find("\\cellx1532\\clbrdrt"), std::string::npos);
    EXPECT_NE(row.find("\\brdrs \\cellx14356\\intblK\\cell\\cell\\cell\\cellH\\cell\\cell\\cell"
                       "\\cell\\f2 T\\f1\\cell\\row"),
              std::string::npos);
    EXPECT_EQ(FirstPracticeRow("K", "H", "T"),
              row.substr(0, row.find("\\intbl")) + "\\pard\\intbl\\ltrpar" +
                  row.substr(row.find("\\intbl") + 6));
}

TEST(PracticeListBuilders, TranslationEscapes) {
    EXPECT_EQ(EscapeUmlautsRtf("Größe"), "Gr\\'f6\\'dfe");
    EXPECT_EQ(EscapeUmlautsRtf("äüößÄÜÖ"), "\\'e4\\'fc\\'f6\\'df\\'c4\\'dc\\'d6");
    EXPECT_EQ(EscapeUmlautsRtf("Café"), "Caf\xe9");  // é stays the byte it is in 1252
    // RTF's own characters would break the document.
    EXPECT_EQ(EscapeUmlautsRtf("a\\b {c}"), "a\\\\b \\{c\\}");
    // Characters 1252 cannot hold: \uN? (signed 16-bit units, surrogates above the BMP).
    EXPECT_EQ(EscapeUmlautsRtf("Ω"), "\\u937?");
    EXPECT_EQ(EscapeUmlautsRtf("日"), "\\u26085?");
    EXPECT_EQ(EscapeUmlautsRtf("\U0001F600"), "\\u-10179?\\u-8704?");
    EXPECT_EQ(EscapeUmlautsRtf("€"), "\x80");
}

TEST(PracticeList, OneWord) {
    const std::string doc = Document({{StoredRtf("漢字"), StoredRtf("かんじ"), "Schriftzeichen"}});
    ExpectGolden("practice_one_word", "expected.rtf", doc);
    // Two lines: head with the first row, then the closing brace.
    EXPECT_EQ(doc.substr(0, PracticeListHead().size()), PracticeListHead());
    EXPECT_EQ(doc.find("\r\n"), doc.size() - 5);
    EXPECT_EQ(doc.substr(doc.size() - 3), "}\r\n");
    EXPECT_NE(doc.find(MarkJapaneseRun(Sjis("漢字"))), std::string::npos);

    const std::string read = ThroughReader(doc);
    EXPECT_NE(read.find("漢字"), std::string::npos) << read;
    EXPECT_NE(read.find("かんじ"), std::string::npos) << read;
    EXPECT_NE(read.find("Schriftzeichen"), std::string::npos) << read;
}

TEST(PracticeList, TwoWordsInSelectionOrder) {
    const std::string doc = Document({{StoredRtf("日本"), StoredRtf("にほん"), "Japan"},
                                      {StoredRtf("本"), StoredRtf("ほん"), "Buch"}});
    ExpectGolden("practice_two_words", "expected.rtf", doc);
    // The second row carries the first row's settings on: no font run marks.
    const std::size_t second = doc.find("\r\n") + 2;
    EXPECT_NE(doc.find("\\intbl" + Sjis("本") + "\\cell", second), std::string::npos);

    const std::string read = ThroughReader(doc);
    const auto japan = read.find("Japan"), book = read.find("Buch");
    EXPECT_NE(read.find("日本"), std::string::npos) << read;
    EXPECT_NE(read.find("ほん"), std::string::npos) << read;
    ASSERT_NE(book, std::string::npos) << read;
    EXPECT_LT(japan, book);
}

TEST(PracticeList, EmptySelectionHasOneEmptyRow) {
    const std::string doc = Document({});
    ExpectGolden("practice_empty_selection", "expected.rtf", doc);
    EXPECT_EQ(doc, PracticeListHead() + FirstPracticeRow(MarkJapaneseRun(""), MarkJapaneseRun(""), "") +
                       "\r\n}\r\n");
}

TEST(PracticeList, GermanLettersAndAccents) {
    const std::string doc =
        Document({{StoredRtf("大"), StoredRtf("おおきい"), "Größe, Übermaß"},
                  {StoredRtf("茶"), StoredRtf("ちゃ"), "Tee; Thé {grün} \\ Ω"}});
    ExpectGolden("practice_umlauts", "expected.rtf", doc);
    EXPECT_NE(doc.find("\\f2 Gr\\'f6\\'dfe, \\'dcberma\\'df\\f1"), std::string::npos);
    EXPECT_NE(doc.find("Th\xe9 \\{gr\\'fcn\\} \\\\ \\u937?"), std::string::npos);

    const std::string read = ThroughReader(doc);
    EXPECT_NE(read.find("Größe, Übermaß"), std::string::npos) << read;
    // unrtf skips raw 8-bit bytes such as the é; the escaped characters come back.
    EXPECT_NE(read.find(" {grün} \\ Ω"), std::string::npos) << read;
    EXPECT_NE(read.find("おおきい"), std::string::npos) << read;
}

TEST(PracticeList, RichTextWithoutEscapesGivesAnEmptyCell) {
    // A word entered in kana only: its Kanji document holds no escape.
    const std::string kanaOnly = text::WrapJapaneseRtf("");
    const std::string doc = Document({{kanaOnly, StoredRtf("これ"), "dies"}});
    EXPECT_EQ(doc.find("rtf1", 5), std::string::npos) << "RTF source pasted into a cell";
    EXPECT_NE(doc.find("\\pard\\intbl\\ltrpar" + MarkJapaneseRun("") + "\\cell"), std::string::npos);
    EXPECT_NE(ThroughReader(doc).find("これ"), std::string::npos);
}

TEST(PracticeList, CharactersOutsideShiftJisAtEitherEndStayInTheCell) {
    const std::string ougai = "\\u-25129?";  // 鷗
    for (const char* kanji : {"鷗", "森鷗", "鷗外", "森鷗外"}) {
        const std::string doc = Document({{text::PlainTextToRtf(kanji), StoredRtf("おう"), "x"}});
        EXPECT_NE(doc.find(ougai), std::string::npos) << kanji;
        EXPECT_EQ(doc.find("rtf1", 5), std::string::npos) << kanji;
    }
}

}  // namespace
}  // namespace morvanta::exchange
