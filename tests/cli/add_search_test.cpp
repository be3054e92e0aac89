// Words typed on the command line land in the table as the entry page stores
// them, and the browse page's search finds them again.

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "store/data_set.h"
#include "support/dictd_files.h"
#include "support/temp_table.h"
#include "text/rich_text.h"

namespace morvanta::clitest {
namespace {

class AddAndSearch : public ::testing::Test {
protected:
    CliRun add(std::vector<std::string> args) {
        args.insert(args.begin(), "add");
        return RunOn(temp->tableFile, args);
    }
    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
};

TEST_F(AddAndSearch, LookupFillsTheWordFromTheDictionaryAndOptionsWin) {
    testing::WriteDictd(temp->databaseFolder.string(), testing::SampleEntries());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MORVANTA_DICTIONARY"),
               QString::fromStdString((temp->databaseFolder / "test").string()));
    auto addWith = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--db", temp->tableFile.string(), "add"});
        return RunCli(args, {}, env);
    };

    ASSERT_EQ(addWith({"--lookup", "たべ"}).exitCode, 0);
    CliRun own = addWith({"--lookup", "いえ", "--translation", "Heim", "--type", "Sonstiges"});
    ASSERT_EQ(own.exitCode, 0) << own.err;
    const CliRun unknown = addWith({"--lookup", "みず"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(Contains(unknown.err, "みず")) << unknown.err;

    store::Table table(temp->session(), "Vokabel", "Vokabel.DB");
    table.open();
    ASSERT_EQ(table.recordCount(), 2);
    table.first();
    for (int i = 0; i < 2; ++i, table.next()) {
        if (table.asString("Hepburn") == "taberu") {
            EXPECT_EQ(table.asString("Kanji"), text::PlainTextToRtf("食べる"));
            // Each sense whole: its commas stay inside the translation.
            EXPECT_EQ(table.asString("Translation1"), "essen, speisen, zu sich nehmen");
            EXPECT_EQ(table.asString("Translation2"), "leben von");
            EXPECT_EQ(table.asString("Type"), "Verb-Vok");
        } else {
            EXPECT_EQ(table.asString("Kanji"), text::PlainTextToRtf("家"));
            EXPECT_EQ(table.asString("Translation1"), "Heim");
            EXPECT_EQ(table.asString("Translation2"), "");
            EXPECT_EQ(table.asString("Type"), "Sonstiges");
        }
    }
}

TEST_F(AddAndSearch, StoredAsTheEntryPageStoresAWord) {
    const CliRun run = add({"--kanji", "食べる", "--kana", "たべる", "--translation", "essen",
                            "--translation", "speisen", "--lesson", "3", "--type", "Verb-Vok",
                            "--accent", "2", "--note", "ru-Verb"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    store::Table table(temp->session(), "Vokabel", "Vokabel.DB");
    table.open();
    ASSERT_EQ(table.recordCount(), 1);
    EXPECT_EQ(table.asString("Translation1"), "essen");
    EXPECT_EQ(table.asString("Translation2"), "speisen");
    EXPECT_EQ(table.asString("Translation3"), "");
    EXPECT_EQ(table.asString("Hepburn"), "taberu");
    EXPECT_EQ(table.asString("Kanji"), text::PlainTextToRtf("食べる"));
    EXPECT_EQ(table.asString("Hira-Kata"), text::PlainTextToRtf("たべる"));
    EXPECT_EQ(table.asInteger("Lesson"), 3);
    EXPECT_EQ(table.asString("Type"), "Verb-Vok");
    EXPECT_EQ(table.asInteger("Accent"), 2);
    EXPECT_EQ(table.asString("Note"), "ru-Verb");
    EXPECT_TRUE(table.asBoolean("Marked"));
    EXPECT_EQ(table.asInteger("NumberAsked"), 0);
    EXPECT_FALSE(table.isNull("DateEntered"));
}

TEST_F(AddAndSearch, RomajiBecomeKanaAndOneLineFieldsStayOneLine) {
    const CliRun run = add({"--kanji", "猫", "--kana", "neko", "--translation", "Katze\nKater", "--note", "a\tb"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    store::Table table(temp->session(), "Vokabel", "Vokabel.DB");
    table.open();
    EXPECT_EQ(table.asString("Hira-Kata"), text::PlainTextToRtf("ねこ"));
    EXPECT_EQ(table.asString("Hepburn"), "neko");
    EXPECT_EQ(table.asString("Translation1"), "Katze Kater");
    EXPECT_EQ(table.asString("Note"), "a b");
    // A control character stored by another tool comes out written, one word a line.
    table.edit();
    table.setAsString("Translation2", "Fell\x1b[31m\r\nrot\\");
    table.post();
    EXPECT_EQ(RunOn(temp->tableFile, {"search", "Katze*"}).out, "Katze Kater\tFell\\x1b[31m\\r\\nrot\\\\\t\tneko\t1\t\n");
    // Neither kana nor romaji, and bytes that are no text: refused before anything is stored.
    EXPECT_EQ(add({"--kanji", "数", "--kana", "123", "--translation", "Zahl"}).exitCode, 2);
    QProcess shell;  // the byte 0xFF made by the shell: Qt would pass it on as U+FFFD
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"),
                                            QStringLiteral("exec \"$0\" --db \"$1\" add --kanji 犬 --kana inu "
                                                           "--translation \"$(printf 'Hund\\377')\""),
                                            QStringLiteral(MORVANTA_CLI), QString::fromStdString(temp->tableFile.string())});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 2) << shell.readAllStandardError().toStdString();
    EXPECT_EQ(table.recordCount(), 1);
}

TEST_F(AddAndSearch, MarkEditAndDeleteChangeWhatTheSearchFinds) {
    ASSERT_EQ(add({"--kanji", "猫", "--kana", "ねこ", "--translation", "Katze"}).exitCode, 0);
    ASSERT_EQ(add({"--kanji", "犬", "--kana", "いぬ", "--translation", "Hund"}).exitCode, 0);
    const auto run = [this](std::vector<std::string> args, const std::string& input = {}) {
        args.insert(args.begin(), {"--db", temp->tableFile.string()});
        return RunCli(args, input);
    };
    EXPECT_EQ(run({"unmark", "*"}).out, "2 Vokabeln nicht mehr markiert.\n");
    EXPECT_EQ(run({"mark", "Katze"}).out, "1 Vokabel markiert.\n");
    const CliRun edited = run({"edit", "--field", "hepburn", "neko", "--kana", "NEKO", "--translation", "Katze",
                               "--translation", "Kater", "--lesson", "4"});
    ASSERT_EQ(edited.exitCode, 0) << edited.err;
    EXPECT_EQ(edited.out, "Geändert: Katze\tKater\t\tneko\t4\t\n");
    EXPECT_EQ(run({"edit", "*", "--lesson", "2"}).exitCode, 1);  // two words: nothing changed
    EXPECT_EQ(run({"delete", "Hund"}, "n\n").exitCode, 1);
    EXPECT_EQ(run({"delete", "Hund"}, "j\n").out, "1 Vokabel gelöscht.\n");
    store::Table table(temp->session(), "Vokabel", "Vokabel.DB");
    table.open();
    ASSERT_EQ(table.recordCount(), 1);
    EXPECT_EQ(table.asString("Hira-Kata"), text::PlainTextToRtf("ネコ"));
    EXPECT_TRUE(table.asBoolean("Marked"));
    EXPECT_EQ(table.asInteger("Lesson"), 4);
}

TEST_F(AddAndSearch, DuplicateIsRefusedWithAGermanMessage) {
    ASSERT_EQ(add({"--kanji", "家", "--kana", "いえ", "--translation", "Haus"}).exitCode, 0);
    const CliRun again = add({"--kanji", "宅", "--kana", "いえ", "--translation", "Haus"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(Contains(again.err, "Diese Vokabel gibt es schon")) << again.err;
    // Another translation makes another word.
    EXPECT_EQ(
        add({"--kanji", "家", "--kana", "いえ", "--translation", "Haus", "--translation", "Heim"})
            .exitCode,
        0);
    const CliRun empty = add({"--kanji", "", "--kana", "いえ", "--translation", ""});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(Contains(empty.err, "Übersetzung")) << empty.err;
}

TEST_F(AddAndSearch, SearchByEachFieldWithTheStarAsWildcard) {
    ASSERT_EQ(add({"--kanji", "家", "--kana", "いえ", "--translation", "Haus", "--type", "Meishi",
                   "--note", "Gebäude"})
                  .exitCode,
              0);
    ASSERT_EQ(
        add({"--kanji", "食べる", "--kana", "たべる", "--translation", "essen", "--lesson", "3"})
            .exitCode,
        0);
    ASSERT_EQ(add({"--kanji", "箱", "--kana", "はこ", "--translation", "Kiste", "--translation",
                   "Schachtel"})
                  .exitCode,
              0);

    EXPECT_EQ(RunOn(temp->tableFile, {"search", "*"}).out,
              "essen\t\t\ttaberu\t3\t\nHaus\t\t\tie\t1\tMeishi\nKiste\tSchachtel\t\thako\t1\t\n");
    EXPECT_EQ(RunOn(temp->tableFile, {"search", "sch*"}).out, "Kiste\tSchachtel\t\thako\t1\t\n");
    EXPECT_EQ(RunOn(temp->tableFile, {"search", "--field", "lesson", "3"}).out,
              "essen\t\t\ttaberu\t3\t\n");
    EXPECT_EQ(RunOn(temp->tableFile, {"search", "--field", "type", "Meishi"}).out,
              "Haus\t\t\tie\t1\tMeishi\n");
    EXPECT_EQ(RunOn(temp->tableFile, {"search", "--field", "note", "Gebäude"}).out,
              "Haus\t\t\tie\t1\tMeishi\n");
    EXPECT_EQ(RunOn(temp->tableFile, {"search", "--field", "hepburn", "ha*"}).out,
              "Kiste\tSchachtel\t\thako\t1\t\n");

    const CliRun none = RunOn(temp->tableFile, {"search", "Auto"});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_TRUE(Contains(none.err, "Keine Vokabel gefunden")) << none.err;
}

TEST_F(AddAndSearch, JsonHoldsAllSixteenFieldsWithJapaneseAsText) {
    ASSERT_EQ(
        add({"--kanji", "家", "--kana", "いえ", "--translation", "Haus \"alt\"", "--lesson", "4"})
            .exitCode,
        0);
    const CliRun run = RunOn(temp->tableFile, {"search", "Haus*", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string& json = run.out;
    EXPECT_EQ(
        json.rfind("[\n  {\"Translation1\": \"Haus \\\"alt\\\"\", \"Translation2\": \"\", ", 0), 0u)
        << json;
    for (const char* part :
         {"\"Hepburn\": \"ie\"", "\"Kanji\": \"家\"", "\"Hira-Kata\": \"いえ\"", "\"Accent\": 0",
          "\"Note\": \"\"", "\"DateEntered\": \"20", "\"DateAsked\": \"20", "\"NumberAsked\": 0",
          "\"NumberWrong\": 0", "\"Marked\": true", "\"Type\": \"\"", "\"CardPrinted\": false",
          "\"Lesson\": 4}\n]\n"})
        EXPECT_TRUE(Contains(json, part)) << part << " in " << json;
    EXPECT_EQ(RunOn(temp->tableFile, {"search", "Auto", "--json"}).out, "[]\n");
}

TEST_F(AddAndSearch, WithoutDbTheAliasOfTheConfigurationNamesTheTable) {
    test::TempFolder home;
    std::filesystem::create_directories(home.path() / "Morvanta");
    std::filesystem::copy_file(temp->configFile, home.path() / "Morvanta" / "engine.ini");
    const std::string config = FileBytes(home.path() / "Morvanta" / "engine.ini");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       QString::fromStdString(home.path().string()));

    const CliRun run = RunCli({"add", "--kanji", "水", "--kana", "みず", "--translation", "Wasser"},
                              {}, environment);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(RunOn(temp->tableFile, {"search", "Wasser"}).out, "Wasser\t\t\tmizu\t1\t\n");
    EXPECT_EQ(FileBytes(home.path() / "Morvanta" / "engine.ini"), config);

    // No configuration: the learner is told what to do, nothing is created.
    std::filesystem::remove(home.path() / "Morvanta" / "engine.ini");
    const CliRun missing = RunCli({"search", "Wasser"}, {}, environment);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(Contains(missing.err, "Alias „Vokabel“")) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(home.path() / "Morvanta" / "engine.ini"));
}

}  // namespace
}  // namespace morvanta::clitest
