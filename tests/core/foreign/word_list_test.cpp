// Word lists of other trainers: the CSV and KVTML readers, the column guess,
// the import into a real table, and the round trips through our own writers.

#include <gtest/gtest.h>

#include <QBuffer>
#include <sstream>

#include "core/foreign/column_mapping.h"
#include "core/foreign/csv_reader.h"
#include "core/foreign/csv_writer.h"
#include "core/foreign/foreign_import.h"
#include "core/foreign/html_text.h"
#include "core/foreign/kvtml_reader.h"
#include "core/foreign/kvtml_writer.h"
#include "store/data_set.h"
#include "support/temp_table.h"
#include "text/rich_text.h"

namespace morvanta::foreign {
namespace {

using Rows = std::vector<std::vector<std::string>>;

SourceSheet Sheet(std::string format, std::vector<std::string> columns, Rows rows) {
    SourceSheet sheet;
    sheet.format = std::move(format);
    sheet.columns = std::move(columns);
    sheet.rows = std::move(rows);
    return sheet;
}

std::string ErrorOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const ReadError& e) {
        return e.what();
    }
    return "(kein Fehler)";
}

TEST(CsvReader, ReadsTheUsualDialects) {
    // UTF-8 with BOM, semicolons, a header, quoted separators, quotes and line breaks.
    SourceSheet sheet = ReadCsv("\xEF\xBB\xBFKanji;Kana;Deutsch\r\n"
                                "猫;ねこ;\"Katze; \"\"Mieze\"\"\"\r\n"
                                "\"雨\";あめ;\"Regen\nSchauer\"\r\n\r\n",
                                CsvKind::Csv);
    EXPECT_EQ(sheet.format, "CSV");
    EXPECT_EQ(sheet.columns, (std::vector<std::string>{"Kanji", "Kana", "Deutsch"}));
    EXPECT_EQ(sheet.rows, (Rows{{"猫", "ねこ", "Katze; \"Mieze\""}, {"雨", "あめ", "Regen\nSchauer"}}));
    EXPECT_EQ(sheet.rowNumbers, (std::vector<int>{2, 3}));

    // UTF-16 LE with BOM and tabs, no header.
    const std::u16string utf16 = u"\uFEFF犬\tいぬ\tHund\n";
    sheet = ReadCsv(std::string(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2), CsvKind::Csv);
    EXPECT_EQ(sheet.format, "TSV");
    EXPECT_EQ(sheet.columns, (std::vector<std::string>{"Spalte 1", "Spalte 2", "Spalte 3"}));
    EXPECT_EQ(sheet.rows, (Rows{{"犬", "いぬ", "Hund"}}));

    // A first row whose value comes again below is data, not column names.
    EXPECT_EQ(ReadCsv("ねこ;Katze;Lektion 1\nいぬ;Hund;Lektion 1\n", CsvKind::Csv).rows.size(), 2u);

    // Windows-1252 and commas; a spreadsheet-safe apostrophe is taken off again.
    sheet = ReadCsv("inu,M\xE4""dchen,'=1+2\nneko,Stra\xDF""e,x\n", CsvKind::Csv);
    EXPECT_EQ(sheet.rows, (Rows{{"inu", "Mädchen", "=1+2"}, {"neko", "Straße", "x"}}));

    // Anki's plain-text export: header lines, HTML, furigana left for the import.
    sheet = ReadCsv("#separator:tab\n#html:true\n#deck column:3\n"
                    "今日[きょう]\theute<br>dieser&nbsp;Tag &amp; <b>so</b>\tJapanisch::L1\n",
                    CsvKind::Csv);
    EXPECT_EQ(sheet.columns, (std::vector<std::string>{"Spalte 1", "Spalte 2", "Deck"}));
    EXPECT_EQ(sheet.rows, (Rows{{"今日[きょう]", "heute; dieser Tag & so", "Japanisch::L1"}}));
    EXPECT_EQ(sheet.rowNumbers, (std::vector<int>{4}));
}

TEST(CsvReader, RefusesDamagedFilesNamingTheLine) {
    EXPECT_NE(ErrorOf([] { ReadCsv(std::string(kMaxCsvColumns + 1, ';'), CsvKind::Csv); })
                  .find("Zeile 1 hat mehr als 1000 Spalten"),
              std::string::npos);
    EXPECT_EQ(ErrorOf([] { ReadCsv("a;b\n\"c;d\n", CsvKind::Csv); }),
              "Zeile 2: Ein Anführungszeichen wird bis zum Ende der Datei nicht geschlossen.");
    EXPECT_NE(ErrorOf([] { ReadCsv("猫;Katze\nM\xE4""dchen;x\n", CsvKind::Csv); })
                  .find("Zeile 2: Die Datei mischt Kodierungen"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] { ReadCsv("a;b\n" + std::string(kMaxCsvRecordBytes + 10, 'x'), CsvKind::Csv); })
                  .find("Zeile 2 ist länger als 1 MB"),
              std::string::npos);
}

TEST(HtmlText, ReducesFieldsToText) {
    EXPECT_EQ(HtmlToText("<div>Hund</div><div>Köter</div>"), "Hund; Köter");
    EXPECT_EQ(HtmlToText("a &lt;b&gt; &#x732B;&#29356; &unknown; R&D"), "a <b> 猫犬 &unknown; R&D");
    EXPECT_EQ(HtmlToText("<style>.x{}</style> <span style=\"x\">Wort</span> [sound:a.mp3]"), "Wort [sound:a.mp3]");
}

constexpr const char* kKvtml = R"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0">
 <identifiers>
  <identifier id="0"><name>Japanisch</name><locale>ja</locale></identifier>
  <identifier id="1"><name>Deutsch</name><locale>de</locale></identifier>
 </identifiers>
 <entries>
  <entry id="0"><translation id="0"><text>猫</text><pronunciation>ねこ</pronunciation></translation>
   <translation id="1"><text>Katze</text></translation></entry>
  <entry id="1"><translation id="0"><text>走る</text><pronunciation>はしる</pronunciation></translation>
   <translation id="1"><text>laufen</text></translation></entry>
 </entries>
 <lessons>
  <container><name>Tiere</name><entry id="0"/></container>
  <container><name>Teil 2</name><container><name>Verben</name><entry id="1"/></container></container>
 </lessons>
 <wordtypes>
  <container><name>Substantiv</name><specialwordtype>noun</specialwordtype>
   <entry id="0"><translation id="0"/></entry></container>
 </wordtypes>
</kvtml>)";

SourceSheet KvtmlSheet(const std::string& text) {
    QByteArray bytes = QByteArray::fromStdString(text);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadKvtml(buffer);
}

TEST(KvtmlReader, ReadsLanguagesLessonsAndTypes) {
    const SourceSheet sheet = KvtmlSheet(kKvtml);
    EXPECT_EQ(sheet.columns, (std::vector<std::string>{"Japanisch", "Japanisch (Aussprache)", "Deutsch",
                                                       "Lektion", "Typ"}));
    EXPECT_EQ(sheet.rows, (Rows{{"猫", "ねこ", "Katze", "Tiere", "Meishi"},
                                {"走る", "はしる", "laufen", "Verben", ""}}));
    EXPECT_EQ(GuessMapping(sheet), (ColumnMapping{Field::Kanji, Field::Kana, Field::Translation1,
                                                  Field::Lesson, Field::Type}));

    std::string unknown = kKvtml;
    unknown.replace(unknown.find("<translation id=\"1\"><text>laufen"), 17, "<translation id=\"7\">");
    EXPECT_NE(ErrorOf([&] { KvtmlSheet(unknown); }).find("id=\"7\" gehört zu keiner Sprache"), std::string::npos);
    EXPECT_NE(ErrorOf([] { KvtmlSheet("<kvtml version=\"2.0\"><entries>"); }).find("kein vollständiges XML"),
              std::string::npos);
    std::string deep = "<kvtml version=\"2.0\"><lessons>";
    for (int i = 0; i < 101; ++i) deep += "<container>";
    EXPECT_NE(ErrorOf([&] { KvtmlSheet(deep); }).find("tiefer als 100 Ebenen"), std::string::npos);
}

TEST(ColumnMapping, GuessesFromContentWhereNamesSayNothing) {
    const SourceSheet anki = Sheet("Anki-Paket", {"Front", "Reading", "Back", "Deck"},
                                   {{"学校", "がっこう", "Schule", "Japanisch"}, {"すし", "すし", "Sushi", "Japanisch"}});
    EXPECT_EQ(GuessMapping(anki),
              (ColumnMapping{Field::Kanji, Field::Kana, Field::Translation1, Field::Lesson}));
    const SourceSheet plain = Sheet("CSV", {"Spalte 1", "Spalte 2", "Spalte 3", "Spalte 4", "Spalte 5"},
                                    {{"ねこ", "猫", "Katze", "Mieze", "3"}, {"いぬ", "犬", "Hund", "", "4"}});
    EXPECT_EQ(GuessMapping(plain), (ColumnMapping{Field::Kana, Field::Kanji, Field::Translation1,
                                                  Field::Translation2, Field::Lesson}));
    // Romaji and German, no kana: the romaji are the reading.
    const SourceSheet romaji = Sheet("CSV", {"Spalte 1", "Spalte 2"}, {{"neko", "Katze"}, {"gakkou", "Schule"}});
    EXPECT_EQ(GuessMapping(romaji), (ColumnMapping{Field::Kana, Field::Translation1}));
}

class ForeignImportTable : public ::testing::Test {
protected:
    void SetUp() override { table.open(); }
    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    store::Table table{temp->session(), "Vokabel", "Vokabel.DB"};
    store::SystemClock clock;
};

TEST_F(ForeignImportTable, StoresWhatTheRowsGiveAndNothingTwice) {
    const SourceSheet sheet = Sheet("TSV", {"Wort", "Lesung", "Deutsch", "Deck"},
                            {{"日本[にほん]語[ご]", "", "Japanisch; Sprache Japans", "Stapel A"},
                             {"水", "mizu", "Wasser", "Stapel B"},
                             {"猫", "ねこ", "", "Stapel A"},
                             {"", "", "nichts", "Stapel A"},
                             {"テレビ", "", "Fernseher; TV; Glotze; Kiste", "7"}});
    const ColumnMapping mapping = GuessMapping(sheet);
    const PreparedImport prepared = PrepareImport(sheet, mapping, FirstFreeLesson(table));
    ASSERT_EQ(prepared.words.size(), 3u);
    EXPECT_EQ(prepared.unusable, 2);
    EXPECT_EQ(prepared.problems, (std::vector<std::string>{"Zeile 3: keine Übersetzung",
                                                           "Zeile 4: kein japanisches Wort"}));
    const entry::NewWord& nihongo = prepared.words[0];
    EXPECT_EQ(text::RtfToPlainText(nihongo.kanjiRtf), "日本語");
    EXPECT_EQ(text::RtfToPlainText(nihongo.hiraKataRtf), "にほんご");
    EXPECT_EQ(nihongo.hepburn, "nihongo");
    EXPECT_EQ(nihongo.translation2, "Sprache Japans");
    EXPECT_EQ(text::RtfToPlainText(prepared.words[1].hiraKataRtf), "みず");  // romaji became kana
    EXPECT_EQ(prepared.words[2].hepburn, "terebi");
    EXPECT_EQ(prepared.words[2].translation3, "Glotze; Kiste");
    EXPECT_EQ(prepared.words[2].lesson, 7);
    ASSERT_EQ(prepared.lessons.size(), 2u);  // named lessons follow the highest one (empty table: 1)
    EXPECT_EQ(prepared.lessons[0].name, "Stapel A");
    EXPECT_EQ(prepared.lessons[0].number, 1);
    EXPECT_EQ(prepared.words[1].lesson, 2);

    EXPECT_EQ(CountPreview(prepared, table).newWords, 3);
    ForeignImportResult result = RunForeignImport(prepared, table, clock);
    EXPECT_EQ(result.stored, 3);
    EXPECT_EQ(table.recordCount(), 3);
    table.first();
    EXPECT_EQ(table.asString("Marked"), "True");
    EXPECT_EQ(CountPreview(prepared, table).duplicates, 3);
    result = RunForeignImport(prepared, table, clock);
    EXPECT_EQ(result.stored, 0);
    EXPECT_EQ(result.refused, 3);
    EXPECT_EQ(ForeignImportMessage(result), "0 Vokabeln importiert, 3 schon vorhanden, 2 nicht speicherbar.");

    // A cancel keeps what was stored before it.
    const SourceSheet more = Sheet("CSV", {"Kanji", "Deutsch"}, {{"犬", "Hund"}, {"鳥", "Vogel"}});
    int steps = 0;
    result = RunForeignImport(PrepareImport(more, GuessMapping(more), 1), table, clock,
                              [&](std::int64_t) { return ++steps < 2; });
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.stored, 1);
    EXPECT_EQ(table.recordCount(), 4);
}

TEST(WordListWriters, RoundTripThroughTheirReaders) {
    const std::vector<ExportWord> words{
        {"猫", "ねこ", "neko", "Katze", "Mieze", "", 3, "Meishi", "=Tier"},
        {"走る", "はしる", "hashiru", "laufen", "rennen", "eilen", 12, "Verb-Kon", ""}};
    const auto check = [&](const SourceSheet& sheet) -> PreparedImport {
        const PreparedImport prepared = PrepareImport(sheet, GuessMapping(sheet), 100);
        EXPECT_EQ(prepared.words.size(), words.size()) << sheet.format;
        for (std::size_t i = 0; i < std::min(words.size(), prepared.words.size()); ++i) {
            const entry::NewWord& back = prepared.words[i];
            EXPECT_EQ(text::RtfToPlainText(back.kanjiRtf), words[i].kanji) << sheet.format;
            EXPECT_EQ(text::RtfToPlainText(back.hiraKataRtf), words[i].kana);
            EXPECT_EQ(back.hepburn, words[i].hepburn);
            EXPECT_EQ(std::vector({back.translation1, back.translation2, back.translation3}),
                      std::vector({words[i].translation1, words[i].translation2, words[i].translation3}));
            EXPECT_EQ(back.type, words[i].type) << sheet.format;
            EXPECT_EQ(back.note, words[i].note) << sheet.format;
        }
        return prepared;
    };
    std::ostringstream csv;
    ASSERT_TRUE(WriteWordCsv(csv, words));
    EXPECT_NE(csv.str().find(";'=Tier\r\n"), std::string::npos);  // inert in a spreadsheet
    const PreparedImport fromCsv = check(ReadCsv(csv.str(), CsvKind::Csv));
    EXPECT_EQ(fromCsv.words[1].lesson, 12);

    std::ostringstream kvtml;
    ASSERT_TRUE(WriteKvtml(kvtml, words));
    const PreparedImport fromKvtml = check(KvtmlSheet(kvtml.str()));
    ASSERT_EQ(fromKvtml.lessons.size(), 0u);  // lesson containers are named by their numbers
    EXPECT_EQ(fromKvtml.words[0].lesson, 3);
}

}  // namespace
}  // namespace morvanta::foreign
