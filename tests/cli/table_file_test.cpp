// check, backup and the two imports on real table files.

#include <gtest/gtest.h>

#include <fstream>

#include "cli_runner.h"
#include "store/backup.h"
#include "store/data_set.h"
#include "store/database.h"
#include "support/temp_table.h"
#include "support/xml_test_support.h"
#include "text/rich_text.h"

namespace morvanta::clitest {
namespace {

namespace fs = std::filesystem;

TEST(TableFile, CheckSumsUpASoundFileAndBackupCopiesIt) {
    auto temp = test::MakeTempTable();
    test::InsertGeneratedWords(temp->tableFile, 6);
    const CliRun check = RunOn(temp->tableFile, {"check"});
    EXPECT_EQ(check.exitCode, 0) << check.err;
    EXPECT_EQ(check.out,
              "Vokabeldatei: " + temp->tableFile.string() +
                  "\nVokabeln:     6\nMarkiert:     3\nLektionen:    6 (1, 2, 3, 4, 5, 6)\n"
                  "Zustand:      in Ordnung\n");

    const CliRun backup = RunOn(temp->tableFile, {"backup"});
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    const fs::path copy =
        store::BackupFolderOf(temp->tableFile) / ("Vokabel-" + store::TodayIso() + ".DB");
    EXPECT_EQ(backup.out, "Gesichert: " + copy.string() + "\n");
    EXPECT_EQ(store::Database::open(copy)->prepare("SELECT count(*) FROM Vokabel").step(), true);
    // A second backup the same day holds the table as it is now.
    test::InsertGeneratedWords(temp->tableFile, 2, 100);
    EXPECT_EQ(RunOn(temp->tableFile, {"backup"}).out, "Gesichert: " + copy.string() + "\n");
    const auto copied = store::Database::open(copy);
    store::Statement count = copied->prepare("SELECT count(*) FROM Vokabel");
    ASSERT_TRUE(count.step());
    EXPECT_EQ(count.columnInt(0), 8);
}

TEST(TableFile, DamagedFileIsNamedWithExitOneAndStaysAsItWas) {
    auto temp = test::MakeTempTable();
    test::InsertGeneratedWords(temp->tableFile, 300);
    store::Database::open(temp->tableFile)->exec("PRAGMA wal_checkpoint(TRUNCATE)");
    {
        // Noise in the middle of a data page.
        const auto pages = static_cast<long>(fs::file_size(temp->tableFile) / 4096);
        std::fstream file(temp->tableFile, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(4096 * (pages / 2) + 100);
        const std::string noise(400, '\xA5');
        file.write(noise.data(), std::streamsize(noise.size()));
    }
    const std::string before = FileBytes(temp->tableFile);
    const CliRun check = RunOn(temp->tableFile, {"check"});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(Contains(check.out, "Zustand:      beschädigt")) << check.out;
    EXPECT_TRUE(Contains(check.err, "beschädigt")) << check.err;
    const CliRun backup = RunOn(temp->tableFile, {"backup"});
    EXPECT_EQ(backup.exitCode, 1);
    const CliRun add =
        RunOn(temp->tableFile, {"add", "--kanji", "", "--kana", "", "--translation", "neu"});
    EXPECT_EQ(add.exitCode, 1);
    // Reading commands say so too, and the quiz checks answers without storing them.
    for (const std::vector<std::string>& reading :
         {std::vector<std::string>{"search", "*"}, {"export", "dump", "-", "--sql", "SELECT * FROM Vokabel"}})
        EXPECT_TRUE(Contains(RunOn(temp->tableFile, reading).err, "beschädigt")) << reading[0];
    const CliRun quiz = RunOn(temp->tableFile, {"quiz", "--in-order", "--sql", "SELECT * FROM Vokabel"},
                              "falsch\nfalsch\n:ende\n");
    EXPECT_EQ(quiz.exitCode, 0) << quiz.err;
    EXPECT_TRUE(Contains(quiz.err, "geprüft, aber nicht gespeichert")) << quiz.err;
    EXPECT_TRUE(Contains(quiz.out, "0 Richtig und 2 Falsch")) << quiz.out;
    EXPECT_EQ(FileBytes(temp->tableFile), before);

    std::ofstream(temp->tableFile, std::ios::trunc) << "kein SQLite";
    const CliRun foreign = RunOn(temp->tableFile, {"check"});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_TRUE(Contains(foreign.err, "kann nicht geöffnet werden")) << foreign.err;
}

TEST(TableFile, ImportsStoreNewWordsAndCountDuplicates) {
    auto from = test::MakeTempTable();
    test::InsertGeneratedWords(from->tableFile, 8);
    test::TempFolder files;
    const fs::path xml = files.path() / "liste.xml";
    ASSERT_EQ(
        RunOn(from->tableFile, {"export", "xml", xml.string(), "--sql", "SELECT * FROM Vokabel;"})
            .exitCode,
        0);

    auto to = test::MakeTempTable();
    const CliRun first = RunOn(to->tableFile, {"import", "xml", xml.string()});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out, "8 Vokabeln importiert, 0 schon vorhanden.\n");
    EXPECT_EQ(RunOn(to->tableFile, {"search", "*"}).out,
              RunOn(from->tableFile, {"search", "*"}).out);
    store::Query words(to->session(), "Vokabel");
    words.run({"SELECT * FROM Vokabel WHERE Marked=True;"});
    EXPECT_EQ(words.recordCount(), 8);  // new words are marked
    store::Query original(from->session(), "Vokabel");
    original.run({"SELECT * FROM Vokabel;"});
    EXPECT_EQ(text::RtfToPlainText(words.asString("Kanji")),
              text::RtfToPlainText(original.asString("Kanji")));
    EXPECT_EQ(RunOn(to->tableFile, {"import", "xml", xml.string()}).out,
              "0 Vokabeln importiert, 8 schon vorhanden.\n");

    const fs::path special = files.path() / "special.txt";
    std::ofstream(special, std::ios::binary)
        << "1\r\n\\'89\\'c6\r\n\\'82\\'a2\\'82\\'a6\r\nHaus;Heim\r\nMeishi\r\n\r\n2\r\n"
        << "2\r\n\\'8e\\'9a\r\n\\'82\\'b6\r\nZeichen\r\nMeishi\r\n\r\n1\r\n";
    const CliRun imported = RunOn(to->tableFile, {"import", "special", special.string()});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out, "Es Wurden 0 Vokabeln nicht importiert\n");
    EXPECT_EQ(RunOn(to->tableFile, {"search", "Zeichen"}).out, "Zeichen\t\t\tji\t1\tMeishi\n");
    EXPECT_EQ(RunOn(to->tableFile, {"search", "Heim"}).out, "Haus\tHeim\t\tie\t2\tMeishi\n");
    // A bad lesson ends it in German, the file's escape sequence written out.
    std::ofstream(special, std::ios::binary) << "1\r\nx\r\n\\'82\\'a4\r\nTest\r\n\r\n\r\nzwei\x1b[31m\r\n";
    const CliRun badLesson = RunOn(to->tableFile, {"import", "special", special.string()});
    EXPECT_EQ(badLesson.exitCode, 1);
    EXPECT_TRUE(Contains(badLesson.err, "Die Lektion „zwei\\x1b[31m“ ist keine ganze Zahl.")) << badLesson.err;

    const fs::path broken = files.path() / "kaputt.xml";
    std::ofstream(broken) << "<wordlist><word>";
    const CliRun bad = RunOn(to->tableFile, {"import", "xml", broken.string()});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(Contains(bad.err, "keine lesbare XML-Wortliste")) << bad.err;
    // Broken only near its end: the words read before are taken back.
    const QByteArray whole = xmltest::ReadBytes(xml);
    xmltest::WriteBytes(broken, whole.left(whole.size() - 12));
    auto fresh = test::MakeTempTable();
    EXPECT_EQ(RunOn(fresh->tableFile, {"import", "xml", broken.string()}).exitCode, 1);
    store::Query none(fresh->session(), "Vokabel");
    none.run({"SELECT * FROM Vokabel;"});
    EXPECT_EQ(none.recordCount(), 0);
}

}  // namespace
}  // namespace morvanta::clitest
