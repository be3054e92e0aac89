// The exports write the very bytes the core writers give for the same
// selection on the same table, which is what the window writes.

#include <gtest/gtest.h>

#include <QBuffer>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli_runner.h"
#include "core/exchange/rtf_kanji_list.h"
#include "core/exchange/rtf_practice_list.h"
#include "core/quiz/selection_sql.h"
#include "core/exchange/word_dump.h"
#include "core/exchange/xml_word_source.h"
#include "store/data_set.h"
#include "support/pdf_reading.h"
#include "support/temp_table.h"

namespace morvanta::clitest {
namespace {

namespace fs = std::filesystem;

class Export : public ::testing::Test {
protected:
    void SetUp() override { test::InsertGeneratedWords(temp->tableFile, 40); }

    // The core's document for a selection, as the window's handlers produce it.
    std::string expected(const std::string& kind, const std::string& sql,
                         const exchange::XmlExportOptions& options = {}) {
        store::Query query(temp->session(), "Vokabel");
        query.run({sql});
        std::ostringstream out;
        if (kind == "practice") exchange::WritePracticeList(out, query);
        if (kind == "dump") exchange::WriteWordDump(out, query);
        if (kind == "kanji") {
            exchange::KnownCharacters known;
            // The kana list laid beside the programs.
            std::ifstream kana(fs::path(MORVANTA_CLI).parent_path() / "hirakata.txt",
                               std::ios::binary);
            known.loadKanaList(kana);
            exchange::CollectKanji(known, query);
            exchange::WriteKanjiList(out, known);
        }
        if (kind == "xml") {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            exchange::WriteWordList(query, options, buffer);
            return buffer.data().toStdString();
        }
        return out.str();
    }
    CliRun exportTo(const fs::path& out, std::vector<std::string> args) {
        args.insert(args.begin() + 1, out.string());
        args.insert(args.begin(), "export");
        return RunOn(temp->tableFile, args);
    }

    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    test::TempFolder files;
};

TEST_F(Export, EveryKindMatchesTheCoreForTheDefaultSelection) {
    for (const std::string kind : {"practice", "kanji", "xml", "dump"}) {
        SCOPED_TRACE(kind);
        const fs::path out = files.path() / ("list." + kind);
        const CliRun run = exportTo(out, {kind});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(Contains(run.out, "20 Vokabeln exportiert")) << run.out;
        EXPECT_EQ(FileBytes(out), expected(kind, "SELECT * FROM Vokabel WHERE Marked=True;"));
    }
    // "-" writes to stdout, the count to stderr; no file called "-".
    const CliRun piped = RunOn(temp->tableFile, {"export", "dump", "-"});
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(piped.out, expected("dump", "SELECT * FROM Vokabel WHERE Marked=True;"));
    EXPECT_TRUE(Contains(piped.err, "20 Vokabeln exportiert")) << piped.err;
    EXPECT_FALSE(fs::exists("-"));
}

TEST_F(Export, CriteriaAndOwnStatementChooseTheWords) {
    quiz::SelectionCriteria criteria;
    criteria.QCLesson = true;
    criteria.lesson = 3;
    criteria.QCtype = true;
    criteria.typeText = "Rentaishi";
    const fs::path byCriteria = files.path() / "criteria.rtf";
    ASSERT_EQ(exportTo(byCriteria, {"practice", "--lesson", "3", "--type", "Rentaishi"}).exitCode,
              0);
    EXPECT_EQ(FileBytes(byCriteria), expected("practice", quiz::BuildSelectionSql(criteria)));

    criteria = {};
    criteria.QCAge = true;
    criteria.ageDate = {2007, 6, 1};
    criteria.QCRatio = true;
    criteria.ratioText = "0.250";
    const fs::path byAge = files.path() / "age.txt";
    ASSERT_EQ(exportTo(byAge, {"dump", "--older-than", "1.6.2007", "--ratio", "0.250"}).exitCode,
              0);
    EXPECT_EQ(FileBytes(byAge), expected("dump", quiz::BuildSelectionSql(criteria)));

    const std::string own = "SELECT * FROM Vokabel WHERE Lesson < 5;";
    exchange::XmlExportOptions options;
    options.description = QStringLiteral("Meine Liste");
    options.includeDates = options.includeStatistics = true;
    const fs::path xml = files.path() / "own.xml";
    ASSERT_EQ(
        exportTo(xml, {"xml", "--sql", own, "--description", "Meine Liste", "--dates", "--stats"})
            .exitCode,
        0);
    EXPECT_EQ(FileBytes(xml), expected("xml", own, options));
}

TEST_F(Export, AFailedExportLeavesTheFormerFile) {
    const fs::path out = files.path() / "keep.rtf";
    std::ofstream(out) << "former";
    const CliRun bad = exportTo(out, {"practice", "--sql", "SELECT * FROM Nirgends;"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(Contains(bad.err, "Die Auswahl kann nicht ausgeführt werden")) << bad.err;
    const CliRun change = exportTo(out, {"practice", "--sql", "UPDATE Vokabel SET Marked=False;"});
    EXPECT_EQ(change.exitCode, 1);
    const CliRun missingFolder = exportTo(files.path() / "nirgends" / "x.rtf", {"practice"});
    EXPECT_EQ(missingFolder.exitCode, 1);
    EXPECT_TRUE(Contains(missingFolder.err, "konnte nicht angelegt werden")) << missingFolder.err;
    EXPECT_EQ(FileBytes(out), "former");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(files.path()), fs::directory_iterator()), 1);
    // The refused UPDATE changed nothing.
    store::Query marked(temp->session(), "Vokabel");
    marked.run({"SELECT * FROM Vokabel WHERE Marked=True;"});
    EXPECT_EQ(marked.recordCount(), 20);
}

TEST_F(Export, PdfSheetsInATerminalWithoutDisplay) {
    if (const std::string tool = pdftest::MissingTool(); !tool.empty())
        GTEST_SKIP() << tool << " is not installed";
    QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        plain.remove(QString::fromLatin1(name));
    // The kanji list's characters for the same selection, which the grid must show.
    std::size_t kanji = 0;
    {
        store::Query query(temp->session(), "Vokabel");
        query.run({"SELECT * FROM Vokabel WHERE Marked=True;"});
        exchange::KnownCharacters known;
        std::ifstream kana(fs::path(MORVANTA_CLI).parent_path() / "hirakata.txt", std::ios::binary);
        known.loadKanaList(kana);
        exchange::CollectKanji(known, query);
        kanji = known.lines().size() - (exchange::kFirstListedLine - 1);
    }
    for (const std::string kind : {"practice-pdf", "kanji-pdf"}) {
        SCOPED_TRACE(kind);
        const fs::path out = files.path() / (kind + ".pdf");
        const CliRun run = RunCli({"--db", temp->tableFile.string(), "export", kind, out.string()},
                                  {}, plain);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(Contains(run.out, "20 Vokabeln exportiert")) << run.out;
        const std::string first = pdftest::PageText(out, 1);
        EXPECT_TRUE(Contains(first, "20 Vokabeln")) << first;
        EXPECT_TRUE(Contains(first, "Seite 1 von " + std::to_string(pdftest::Pages(out)))) << first;
        if (kind == "kanji-pdf") {
            EXPECT_TRUE(Contains(first, "20 Vokabeln, " + std::to_string(kanji) + " Kanji")) << first;
        }
    }
}

}  // namespace
}  // namespace morvanta::clitest
