// The word-list XML export, byte for byte, from records of a real table.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QString>
#include <vector>

#include "core/exchange/xml_word_list_reader.h"
#include "core/exchange/xml_word_list_writer.h"
#include "core/exchange/xml_word_source.h"
#include "store/data_set.h"
#include "support/temp_table.h"
#include "support/xml_test_support.h"

namespace morvanta::exchange {
namespace {

using xmltest::Word;

// Exports every record of a fresh table holding `words`.
QByteArray ExportOf(const std::vector<store::Record>& words, const XmlExportOptions& options) {
    auto t = test::MakeTempTable();
    store::Table table(t->session(), "Vokabel", "Vokabel.DB");
    table.open();
    for (const auto& w : words) table.insertRecord(w);
    store::Query query(t->session(), "Vokabel");
    query.setSql({"SELECT * FROM Vokabel WHERE Marked=True;"});
    query.open();
    XmlWordListWriter writer;
    BuildWordList(query, options, writer);
    // What goes to the file is what bytes() gives.
    QBuffer device;
    device.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writer.writeTo(device));
    EXPECT_EQ(device.data(), writer.bytes());
    return writer.bytes();
}

// Compares with tests/exchange/data/xml_<name>/expected.xml and checks it with xmllint.
// MORVANTA_UPDATE_GOLDEN=1 writes the expected file instead.
void ExpectGolden(const std::string& name, const QByteArray& bytes) {
    SCOPED_TRACE(name);
    const auto file = xmltest::DataDir() / ("xml_" + name) / "expected.xml";
    if (std::getenv("MORVANTA_UPDATE_GOLDEN")) xmltest::WriteBytes(file, bytes);
    const QByteArray expected = xmltest::ReadBytes(file);
    ASSERT_FALSE(expected.isEmpty()) << file;
    // Compare as text so that a failure shows both sides readably.
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                 (bytes.size() - 2) / 2),
              QString::fromUtf16(reinterpret_cast<const char16_t*>(expected.constData() + 2),
                                 (expected.size() - 2) / 2));
    EXPECT_EQ(bytes, expected);
    if (xmltest::HaveXmllint()) {
        EXPECT_TRUE(xmltest::WellFormed(file));
    }
}

TEST(XmlExport, EmptySelectionHasHeadAndCloseOnly) {
    store::Record unmarked = Word("Haus");
    unmarked[12] = false;  // not in the selection
    const QByteArray bytes = ExportOf({unmarked}, {});
    ExpectGolden("empty_selection", bytes);
    // Byte-order mark first; the last line ends with CR LF too.
    ASSERT_GE(bytes.size(), 4);
    EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xFE", 2));
    EXPECT_TRUE(bytes.endsWith(QByteArray("\r\0\n\0", 4)));
}

TEST(XmlExport, DescriptionOfTwoLinesSpansTwoFileLines) {
    ExpectGolden("two_line_description",
                 ExportOf({}, {QStringLiteral("Erste Zeile\nzweite Zeile"), false, false}));
}

TEST(XmlExport, KanaOnlyWordHasNoReadingAndToneZeroIsWritten) {
    store::Record kana = Word("Katze");
    kana[3] = std::string("neko");
    kana[4] = text::PlainTextToRtf("ねこ");
    kana[5] = text::PlainTextToRtf("ねこ");
    kana[13] = std::string("Meishi");
    store::Record kanji = Word("Hund");
    kanji[3] = std::string("inu");
    kanji[4] = text::PlainTextToRtf("犬");
    kanji[5] = text::PlainTextToRtf("いぬ");
    kanji[6] = std::int64_t{-2};
    kanji[15] = std::int64_t{12};
    ExpectGolden("kana_only", ExportOf({kana, kanji}, {}));
}

TEST(XmlExport, OnlyTranslation1GivesOneTranslationWithPriority1) {
    store::Record w = Word("Baum");
    w[6] = std::monostate{};   // no accent: no tone
    w[15] = std::monostate{};  // no lesson
    ExpectGolden("only_translation1", ExportOf({w}, {}));
}

TEST(XmlExport, BothCheckBoxesAddDatesAndCounts) {
    store::Record w = Word("essen");
    w[2] = std::string("speisen");
    w[7] = std::string("Verb der Gruppe 2");
    w[8] = store::DateTime{2023, 1, 2, 3, 4, 5, 999};
    w[9] = store::DateTime{2024, 12, 31, 23, 59, 58, 0};
    w[10] = std::int64_t{7};
    w[11] = std::int64_t{3};
    ExpectGolden("both_checkboxes", ExportOf({w}, {QStringLiteral("Verben"), true, true}));
}

TEST(XmlExport, DateWithoutValueIsDayZero) {
    store::Record w = Word("Nacht");
    w[9] = std::monostate{};
    w[10] = std::monostate{};  // no count: no countasked even with statistics
    ExpectGolden("day_zero", ExportOf({w}, {QString(), true, true}));
}

TEST(XmlExport, AmpersandAndLessThanAreEscapedAndReadBack) {
    store::Record w = Word("Tom & Jerry");
    w[1] = std::string("a<b>c");
    w[7] = std::string("&amp; bleibt & <tag/>");
    const QByteArray bytes = ExportOf({w}, {QStringLiteral("Q&A <intern>"), false, false});
    ExpectGolden("amp_and_lt", bytes);
    const XmlReadResult back = ReadWordList(bytes, {});
    ASSERT_TRUE(back.loaded);
    EXPECT_EQ(back.fill.translations[0], QStringLiteral("Tom & Jerry"));
    EXPECT_EQ(back.fill.translations[1], QStringLiteral("a<b>c"));
    EXPECT_EQ(back.fill.note, QStringLiteral("&amp; bleibt & <tag/>"));
}

TEST(XmlExport, CharactersXmlCannotCarryBecomeReplacementCharacters) {
    store::Record w = Word(std::string("Tab\there, bell\x07, nul-free \x1f end"));
    w[7] = std::string("emoji \xF0\x9F\x98\x80 stays");
    XmlWordListWriter writer;
    writer.begin(QString());
    XmlWord word;
    word.translations[0] = QString::fromUtf8("a\x01" "b") + QChar(0xFFFF) + QChar(0xD800) +
                           QStringLiteral("c\rd\ne");
    writer.addWord(word, {});
    writer.finish();
    EXPECT_TRUE(writer.text().contains(
        QStringLiteral("priority=\"1\" >a\uFFFDb\uFFFD\uFFFDc\r\nd\r\ne</translation>")));

    const QByteArray bytes = ExportOf({w}, {});
    const QString text = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    EXPECT_TRUE(text.contains(QStringLiteral("Tab\there, bell\uFFFD, nul-free \uFFFD end")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("emoji \xF0\x9F\x98\x80 stays")));
    const XmlReadResult back = ReadWordList(bytes, {});
    ASSERT_TRUE(back.loaded) << back.errorMessage.toStdString();
    if (xmltest::HaveXmllint()) {
        test::TempFolder folder;
        const auto file = folder.path() / "control.xml";
        xmltest::WriteBytes(file, bytes);
        EXPECT_TRUE(xmltest::WellFormed(file));
    }
}

TEST(XmlExport, DateTextKeepsLocalTimeWithLiteralTAndZ) {
    EXPECT_EQ(XmlDateText(store::DateTime{2024, 3, 5, 7, 8, 9, 500}),
              QStringLiteral("2024-03-05T07:08:09Z"));
    EXPECT_EQ(XmlDateText(std::nullopt), QStringLiteral("1899-12-30T00:00:00Z"));
    EXPECT_EQ(XmlDateText(store::DateTime{987, 1, 1, 0, 0, 0, 0}),
              QStringLiteral("0987-01-01T00:00:00Z"));
}

}  // namespace
}  // namespace morvanta::exchange
