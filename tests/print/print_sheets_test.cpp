// The practice sheet and the kanji grid as PDF files, read back with poppler's
// tools: pages, page size, embedded fonts, the text on each page.

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "core/exchange/rtf_kanji_list.h"
#include "print/kanji_grid.h"
#include "print/pdf_file.h"
#include "print/practice_sheet.h"
#include "print/wrapped_text.h"
#include "store/data_set.h"
#include "support/pdf_reading.h"
#include "support/rtf_test_support.h"
#include "support/temp_table.h"
#include "text/rich_text.h"

namespace morvanta::print {
namespace {

using namespace pdftest;
namespace fs = std::filesystem;

struct Word {
    std::string kanji, kana, hepburn, translation;
};

store::Record Stored(const Word& w) {
    const store::DateTime day{2024, 1, 2, 3, 4, 5, 0};
    return {w.translation, std::string(), std::string(), w.hepburn,
            text::PlainTextToRtf(w.kanji), text::PlainTextToRtf(w.kana), std::int64_t{0},
            std::string(), day, day, std::int64_t{0}, std::int64_t{0}, true,
            std::string("Meishi"), false, std::int64_t{1}};
}

class PrintSheets : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string tool = MissingTool(); !tool.empty())
            GTEST_SKIP() << tool << " is not installed";
    }
    // The words as the selection's query reads them, in the table's order.
    std::vector<PrintWord> selection(const std::vector<Word>& words) {
        test::InsertWords(table->tableFile, int(words.size()),
                          [&](int n) { return Stored(words[std::size_t(n)]); });
        store::Query query(table->session(), "Vokabel");
        query.run({"SELECT * FROM Vokabel ORDER BY Lesson, Hepburn;"});
        std::vector<PrintWord> read;
        EXPECT_TRUE(GatherWords(query, read));
        return read;
    }
    fs::path practicePdf(const std::vector<PrintWord>& words, const char* name = "sheet.pdf") {
        const fs::path out = files.path() / name;
        EXPECT_TRUE(WritePdf(out, PracticeSheetLayout(), PracticeSheetTitle(),
                             [&](QPagedPaintDevice& d) {
                                 return DrawPracticeSheet(d, words, QStringLiteral("15.03.2024"));
                             }));
        return out;
    }

    std::unique_ptr<test::TempTable> table = test::MakeTempTable();
    test::TempFolder files;
};

void ExpectEmbeddedFonts(const fs::path& pdf) {
    const std::string fonts = Fonts(pdf);
    std::istringstream lines(fonts);
    int rows = 0;
    for (std::string line; std::getline(lines, line);) {
        if (++rows <= 2) continue;  // the table's head
        EXPECT_TRUE(std::regex_search(line, std::regex(" yes +(yes|no) +yes "))) << line;
    }
    EXPECT_TRUE(Has(fonts, "NotoSansCJKjp-Regular")) << fonts;
    EXPECT_TRUE(Has(fonts, "LiberationSans")) << fonts;
}

TEST_F(PrintSheets, PracticeSheetShowsEveryFieldOnA4Landscape) {
    const auto words = selection({{"大きさ", "おおきさ", "ookisa", "Größe"},
                                  {"剝製", "はくせい", "hakusei", "Tierpräparat"},
                                  {"森鷗外", "もりおうがい", "mori ougai", "ein Dichter"}});
    const fs::path pdf = practicePdf(words);
    EXPECT_EQ(Pages(pdf), 1);
    EXPECT_EQ(A4Page(Info(pdf, "Page size")), "landscape");
    ExpectEmbeddedFonts(pdf);
    const std::string page = PageText(pdf, 1);
    for (const char* shown : {"Übungsblatt", "15.03.2024", "3 Vokabeln", "Seite 1 von 1", "Kanji",
                              "Übersetzung", "大きさ", "おおきさ", "ookisa", "Größe", "剝製",
                              "hakusei", "Tierpräparat", "森鷗外", "もりおうがい", "ein Dichter"})
        EXPECT_TRUE(Has(page, shown)) << shown << " not on the page:\n" << page;
}

TEST_F(PrintSheets, ALongTranslationGetsSmallerTypeNotCutOff) {
    // Three long translations: more than five lines at the sheet's size.
    std::string longest;
    for (int i = 1; i <= 3; ++i)
        longest += (i > 1 ? "; " : "") + std::string("Bedeutung") + std::to_string(i) +
                   " mit einer langen Erklärung, wie ein Wörterbuch sie gibt, und noch mehr Worten dazu";
    const fs::path pdf = practicePdf(selection({{"言葉", "ことば", "kotoba", longest + " Schlusswort"}}));
    std::string page = PageText(pdf, 1);
    std::erase_if(page, [](char c) { return c == '\n' || c == ' '; });
    EXPECT_TRUE(Has(page, "Bedeutung3")) << page;
    EXPECT_TRUE(Has(page, "Schlusswort")) << page;

    // A text no size holds ends with "…" instead of stopping silently.
    const FittedText endless = FitText(QString(3000, QLatin1Char('x')), QFont(QStringLiteral("Liberation Sans"), 10),
                                       200, 5, 6, nullptr);
    EXPECT_TRUE(endless.text.endsWith(QStringLiteral("…")));
    EXPECT_EQ(endless.font.pointSizeF(), 6);
}

TEST_F(PrintSheets, KanjiGridHasTheKanjiListsCharactersInItsOrder) {
    // Kana, a repeated kanji and kanji outside Shift-JIS (剝, 鷗).
    const auto words = selection({{"日本", "にほん", "a", "Japan"},
                                  {"本を読む", "ほんをよむ", "b", "ein Buch lesen"},
                                  {"日曜日", "にちようび", "c", "Sonntag"},
                                  {"剝製", "はくせい", "d", "Tierpräparat"},
                                  {"森鷗外", "もりおうがい", "e", "ein Dichter"}});
    exchange::KnownCharacters known;
    std::istringstream kana(exchangetest::ReadFile(exchangetest::SourceDir() / "data" / "hirakata.txt"));
    known.loadKanaList(kana);
    const auto kanji = KanjiUses(known, words);
    const fs::path pdf = files.path() / "grid.pdf";
    ASSERT_TRUE(WritePdf(pdf, KanjiGridLayout(), KanjiGridTitle(), [&](QPagedPaintDevice& d) {
        return DrawKanjiGrid(d, words, kanji, QStringLiteral("15.03.2024"));
    }));
    EXPECT_EQ(Pages(pdf), 1);
    EXPECT_EQ(A4Page(Info(pdf, "Page size")), "portrait");
    ExpectEmbeddedFonts(pdf);

    // Each row: the kanji in its first box and three times to trace, then its words.
    const std::string page = std::regex_replace(PageText(pdf, 1), std::regex(" +"), " ");
    EXPECT_TRUE(Has(page, "Kanji-Schreibblatt")) << page;
    EXPECT_TRUE(Has(page, "5 Vokabeln, 9 Kanji")) << page;
    std::size_t at = 0;
    for (const char* row : {"日日日日", "本本本本", "読読読読", "曜曜曜曜", "剝剝剝剝", "製製製製",
                            "森森森森", "鷗鷗鷗鷗", "外外外外"}) {
        const std::size_t found = page.find(row, at);
        ASSERT_NE(found, std::string::npos) << row << " missing or out of order:\n" << page;
        at = found + 1;
    }
    for (const char* use : {"日本 (にほん) – Japan", "日曜日 (にちようび) – Sonntag",
                            "本を読む (ほんをよむ) – ein Buch lesen", "森鷗外 (もりおうがい) – ein Dichter"})
        EXPECT_TRUE(Has(page, use)) << use << " not beside its kanji:\n" << page;
}

// The glyphs of a page as pdftotext -bbox gives them.
struct Glyphs {
    double height = 0;
    double lowest = 0;  // yMax of the lowest word
    std::string text;
};

std::vector<Glyphs> PagesOf(const fs::path& pdf) {
    const std::string xml = Output("pdftotext -bbox " + Quote(pdf) + " -");
    std::vector<Glyphs> pages;
    static const std::regex kPage(R"re(<page width="[\d.]+" height="([\d.]+)">)re");
    static const std::regex kWord(R"re(<word xMin="[\d.]+" yMin="[\d.]+" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re");
    std::istringstream lines(xml);
    std::smatch m;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_search(line, m, kPage)) pages.push_back({std::stod(m[1]), 0, {}});
        else if (!pages.empty() && std::regex_search(line, m, kWord)) {
            pages.back().lowest = std::max(pages.back().lowest, std::stod(m[1]));
            pages.back().text += m[2].str() + " ";
        }
    }
    return pages;
}

TEST_F(PrintSheets, RowsNeverSplitAcrossPages) {
    std::vector<Word> words;
    for (int i = 0; i < 90; ++i) {
        std::string translation = "Anfang-" + std::to_string(i);
        if (i % 6 == 0)  // three or four lines in its column
            for (int k = 0; k < 12; ++k) translation += " Bedeutung";
        translation += " Ende-" + std::to_string(i);
        char hepburn[16];
        std::snprintf(hepburn, sizeof hepburn, "w%03d", i);
        words.push_back({"漢字", "かんじ", hepburn, translation});
    }
    const fs::path pdf = practicePdf(selection(words));
    const std::vector<Glyphs> pages = PagesOf(pdf);
    ASSERT_GT(pages.size(), 2u);
    ASSERT_EQ(int(pages.size()), Pages(pdf));
    const double bottomMargin = 15 / 25.4 * 72;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_LE(pages[p].lowest, pages[p].height - bottomMargin + 0.5) << "page " << p + 1;
        EXPECT_TRUE(Has(pages[p].text, "Seite " + std::to_string(p + 1) + " von " +
                                           std::to_string(pages.size())));
    }
    for (int i = 0; i < 90; ++i) {
        const std::string start = "Anfang-" + std::to_string(i) + " ";
        const std::string end = "Ende-" + std::to_string(i) + " ";
        int both = 0;
        for (const Glyphs& page : pages)
            both += Has(page.text, start) && Has(page.text, end);
        EXPECT_EQ(both, 1) << "word " << i;
    }
}

TEST_F(PrintSheets, CancelLeavesNoFileAndKeepsAnOldOne) {
    const auto words = selection({{"日本", "にほん", "a", "Japan"}, {"本", "ほん", "b", "Buch"}});
    const fs::path out = files.path() / "sheet.pdf";
    const auto cancelAtSecond = [](std::int64_t done) { return done < 2; };
    EXPECT_FALSE(WritePdf(out, PracticeSheetLayout(), PracticeSheetTitle(), [&](QPagedPaintDevice& d) {
        return DrawPracticeSheet(d, words, QStringLiteral("15.03.2024"), cancelAtSecond);
    }));
    EXPECT_TRUE(fs::is_empty(files.path()));

    exchangetest::WriteFile(out, "old");
    EXPECT_FALSE(WritePdf(out, KanjiGridLayout(), KanjiGridTitle(), [&](QPagedPaintDevice& d) {
        return DrawKanjiGrid(d, words, {{U'日', {0}}, {U'本', {0, 1}}}, QStringLiteral("15.03.2024"),
                             cancelAtSecond);
    }));
    EXPECT_EQ(exchangetest::ReadFile(out), "old");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(files.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace morvanta::print
