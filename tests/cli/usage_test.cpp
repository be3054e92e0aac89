// A command line that does not read ends with exit code 2 and says why, in German.

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "support/temp_table.h"

namespace morvanta::clitest {
namespace {

TEST(Usage, BadCommandLinesEndWithTwo) {
    auto temp = test::MakeTempTable();
    const std::string db = temp->tableFile.string();
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "Kein Befehl"},
        {{"lernen"}, "Unbekannter Befehl „lernen“"},
        {{"--db", db, "search", "--farbe", "rot", "x"}, "Unbekannte Option „--farbe“"},
        {{"--db", db, "search"}, "fehlt"},
        {{"--db", db, "search", "a", "b"}, "Zu viele Angaben"},
        {{"--db", db, "search", "--field", "kanji", "x"}, "--field kennt"},
        {{"--db", db, "add", "--kana", "いえ", "--translation", "Haus"}, "fehlt --kanji"},
        {{"--db", db, "add", "--kanji", "家", "--kana", "いえ", "--translation", "Haus", "--lesson",
          "0"},
         "1 bis 255"},
        {{"--db", db, "add", "--kanji", "家", "--kana", "いえ", "--translation", "Haus", "--type",
          "Nomen"},
         "Unbekannter Typ"},
        {{"--db", db, "add", "--kanji", "家", "--kana", "いえ", "--translation"},
         "braucht einen Wert"},
        {{"--db", db, "add", "--kanji", "a", "--kanji", "b", "--kana", "x", "--translation", "y"},
         "mehrfach"},
        {{"--db", db, "export", "pdf", "x.pdf"}, "kennt practice, kanji, xml, dump, practice-pdf, kanji-pdf, csv, kvtml und apkg"},
        {{"--db", db, "export", "practice", "x.rtf", "--dates"}, "nur für „export xml“"},
        {{"--db", db, "export", "dump", "x", "--sql", "SELECT * FROM Vokabel;", "--lesson", "2"},
         "--sql steht allein"},
        {{"--db", db, "export", "dump", "x", "--ratio", "0,5"}, "--ratio erwartet"},
        {{"--db", db, "quiz", "--older-than", "31.02.2020"}, "TT.MM.JJJJ"},
        {{"--db", db, "quiz", "--resume", "a.vad", "--lesson", "2"}, "--resume"},
        {{"--db", db, "import", "ods", "x"}, "kennt special, xml, csv, tsv, kvtml und apkg"},
        {{"--db", "/tmp/woerter.db", "check"}, "Vokabel.DB"},
        {{"--lesson", "2", "quiz"}, "gehört hinter einen Befehl"},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const auto& a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
        EXPECT_TRUE(Contains(run.err, "morvanta-cli --help")) << run.err;
    }
}

TEST(Usage, HelpNamesTheCommandsAndTheExitCodes) {
    const CliRun overview = RunCli({"--help"});
    EXPECT_EQ(overview.exitCode, 0);
    for (const char* part :
         {"add (--lookup WORT | --kanji", "search", "import special|xml", "export practice|kanji|xml|dump", "quiz",
          "check", "backup", "Rückgabewerte", "2  falscher Aufruf"})
        EXPECT_TRUE(Contains(overview.out, part)) << part;
    const CliRun quiz = RunCli({"quiz", "--help"});
    EXPECT_EQ(quiz.exitCode, 0);
    EXPECT_TRUE(Contains(quiz.out, ":speichern DATEI")) << quiz.out;
    EXPECT_TRUE(Contains(quiz.out, "--older-than")) << quiz.out;
}

TEST(Usage, VersionAndOutputThatCannotBeWritten) {
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "morvanta-cli " MORVANTA_VERSION "\n");
    // Help sent to a full disk is no success.
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(MORVANTA_CLI), {QStringLiteral("--help")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(Contains(process.readAllStandardError().toStdString(), "Die Ausgabe konnte nicht geschrieben werden"));
}

}  // namespace
}  // namespace morvanta::clitest
