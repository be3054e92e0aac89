// A quiz driven through stdin: answers booked, the status saved in the
// window's format, taken up again and finished.

#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "cli_runner.h"
#include "core/quiz/status_file.h"
#include "store/data_set.h"
#include "store/database.h"
#include "support/temp_table.h"

namespace morvanta::clitest {
namespace {

namespace fs = std::filesystem;

constexpr char kAll[] = "SELECT * FROM Vokabel;";

std::vector<std::int64_t> Added(const std::vector<std::int64_t>& before,
                                std::vector<std::int64_t> after) {
    for (size_t i = 0; i < after.size() && i < before.size(); ++i) after[i] -= before[i];
    return after;
}

class Quiz : public ::testing::Test {
protected:
    void SetUp() override { test::InsertGeneratedWords(temp->tableFile, 5); }

    // Translation1 of the word at a record number of the whole table.
    std::string translationAt(int recNo) {
        store::Query query(temp->session(), "Vokabel");
        query.run({kAll});
        query.setRecNo(recNo);
        return query.asString("Translation1");
    }
    std::vector<std::int64_t> counts(const char* field) {
        store::Query query(temp->session(), "Vokabel");
        query.run({kAll});
        std::vector<std::int64_t> values;
        for (query.first(); !query.eof(); query.next()) values.push_back(query.asInteger(field));
        return values;
    }

    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    test::TempFolder files;
};

TEST_F(Quiz, AnswersAreBookedSavedAndTakenUpAgainToTheEnd) {
    const fs::path status = files.path() / "abfrage.vad";
    // In table order the first two questions are the first two words.
    const std::string first = translationAt(1);
    const auto askedBefore = counts("NumberAsked"), wrongBefore = counts("NumberWrong");
    const CliRun run = RunOn(temp->tableFile, {"quiz", "--sql", kAll, "--in-order", "--seed", "3"},
                             first + "\nfalsch\n:speichern " + status.string() + "\n:ende\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "[0/5]")) << run.out;
    EXPECT_TRUE(Contains(run.out, "Richtig\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "Nein - Die Übersetzung war :\n" + translationAt(2))) << run.out;
    EXPECT_TRUE(Contains(run.out, "1 Richtig und 1 Falsch")) << run.out;
    EXPECT_EQ(Added(askedBefore, counts("NumberAsked")),
              (std::vector<std::int64_t>{1, 1, 0, 0, 0}));
    EXPECT_EQ(Added(wrongBefore, counts("NumberWrong")),
              (std::vector<std::int64_t>{0, 1, 0, 0, 0}));

    // The file reads back to the same bytes: the window's format.
    const std::string bytes = FileBytes(status);
    const quiz::StatusFileContent saved = quiz::ReadStatusFile(bytes);
    EXPECT_EQ(quiz::WriteStatusFile(saved), bytes);
    EXPECT_EQ(saved.sqlLine, kAll);
    EXPECT_EQ(saved.selectionCount, 5);
    EXPECT_EQ(saved.doneCount, 1);

    // Right answers for the queue as saved finish the quiz.
    std::string answers;
    for (size_t at = 0; at + 4 <= saved.queueText.size(); at += 4)
        answers += translationAt(std::stoi(saved.queueText.substr(at, 4), nullptr, 16)) + "\n";
    const CliRun resumed = RunOn(temp->tableFile, {"quiz", "--resume", status.string()}, answers);
    ASSERT_EQ(resumed.exitCode, 0) << resumed.err;
    EXPECT_TRUE(Contains(resumed.out, "[1/5]")) << resumed.out;
    EXPECT_FALSE(Contains(resumed.out, "Nein")) << resumed.out;
    EXPECT_TRUE(Contains(resumed.out, "Alle ausgewählten Vokabeln wurden abgefragt."))
        << resumed.out;
}

// The other way round: romaji typed for the shown translations, booked in the
// history alone, and a saved file takes the direction back.
TEST_F(Quiz, GermanToJapaneseTakesRomajiAndLeavesTheCountersAlone) {
    auto db = temp->session().connect("Vokabel");
    db->exec("DELETE FROM Vokabel; INSERT INTO Vokabel (Translation1, Hepburn, \"Hira-Kata\", Lesson, Marked) "
             "VALUES ('Buch', 'hon', 'ほん', 1, 1)");
    db->exec("UPDATE Vokabel SET NumberAsked = 2, NumberWrong = 1");
    const auto asked = counts("NumberAsked");
    const fs::path status = files.path() / "umgekehrt.vad";
    const CliRun run = RunOn(temp->tableFile, {"quiz", "--direction", "de-ja", "--sql", kAll},
                             ":speichern " + status.string() + "\nhon\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Deutsch: Buch"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Richtig"), std::string::npos) << run.out;
    EXPECT_EQ(counts("NumberAsked"), asked);
    store::Statement history = db->prepare("SELECT count(*) FROM AnswerHistory WHERE Direction = 1 AND Correct = 1");
    history.step();
    EXPECT_EQ(history.columnInt(0), 1);
    const CliRun resumed = RunOn(temp->tableFile, {"quiz", "--resume", status.string()}, "hon\n");
    EXPECT_NE(resumed.out.find("Deutsch: Buch"), std::string::npos) << resumed.out;
    EXPECT_EQ(RunOn(temp->tableFile, {"quiz", "--direction", "ja"}, "").exitCode, 2);
}

TEST_F(Quiz, EndOfInputEndsCleanlyAndBadFilesAreRefused) {
    const CliRun quiet = RunOn(temp->tableFile, {"quiz"});
    EXPECT_EQ(quiet.exitCode, 0) << quiet.err;
    EXPECT_TRUE(Contains(quiet.out, "0 Richtig und 0 Falsch")) << quiet.out;

    const CliRun none = RunOn(temp->tableFile, {"quiz", "--lesson", "99"});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_TRUE(Contains(none.err, "Keine Vokabel ausgewählt")) << none.err;

    const fs::path other = files.path() / "andere.vad";
    std::ofstream(other) << "Irgendein Text\r\n";
    const CliRun foreign = RunOn(temp->tableFile, {"quiz", "--resume", other.string()});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_TRUE(Contains(foreign.err, "keine Abfrage-Statusdatei")) << foreign.err;

    quiz::StatusFileContent changing;
    changing.sqlLine = "DELETE FROM Vokabel;";
    changing.selectionCount = 5;
    changing.recNo = 1;
    changing.queueText = "0001";
    std::ofstream(files.path() / "loeschen.vad", std::ios::binary)
        << quiz::WriteStatusFile(changing);
    const CliRun damaged =
        RunOn(temp->tableFile, {"quiz", "--resume", (files.path() / "loeschen.vad").string()});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(Contains(damaged.err, "beschädigt")) << damaged.err;
    EXPECT_EQ(counts("NumberAsked").size(), 5u);  // nothing deleted
}

TEST_F(Quiz, StatsShowTheAnswersOfAQuizAndWriteTheCsv) {
    const CliRun quiz = RunOn(temp->tableFile, {"quiz", "--sql", kAll, "--in-order"},
                              translationAt(1) + "\nfalsch\n:ende\n");
    ASSERT_EQ(quiz.exitCode, 0) << quiz.err;
    const CliRun report = RunOn(temp->tableFile, {"stats", "--days", "7"});
    ASSERT_EQ(report.exitCode, 0) << report.err;
    EXPECT_TRUE(Contains(report.out, "Vokabeln: 5, markiert: ")) << report.out;
    EXPECT_TRUE(Contains(report.out, "Antworten in den letzten 7 Tagen: 2, Tage in Folge geübt: 1")) << report.out;
    EXPECT_TRUE(Contains(report.out, "  1/1\n")) << report.out;
    EXPECT_TRUE(Contains(report.out, ",0 %  (")) << report.out;  // German decimals
    EXPECT_FALSE(Contains(report.out, ".0 %")) << report.out;
    // The other direction has no answers yet.
    const CliRun other = RunOn(temp->tableFile, {"stats", "--direction", "de-ja", "--days", "7"});
    ASSERT_EQ(other.exitCode, 0) << other.err;
    EXPECT_TRUE(Contains(other.out, "Richtung: Deutsch → Japanisch\n")) << other.out;
    EXPECT_TRUE(Contains(other.out, "Antworten in den letzten 7 Tagen: 0, Tage in Folge geübt: 0")) << other.out;
    EXPECT_EQ(RunOn(temp->tableFile, {"stats", "--direction", "jp"}).exitCode, 2);

    const fs::path csv = files.path() / "statistik.csv";
    const CliRun written = RunOn(temp->tableFile, {"stats", "--csv", csv.string()});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.out, csv.string() + ": 5 Vokabeln geschrieben.\n");
    const std::string bytes = FileBytes(csv);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 6);
    // The memory after one answer: stability and difficulty of a right and a wrong first answer.
    EXPECT_TRUE(Contains(bytes, ";1;1;0;richtig;2,31;2,12;")) << bytes;
    EXPECT_TRUE(Contains(bytes, ";1;0;1;nicht richtig;0,21;6,41;")) << bytes;
}

TEST_F(Quiz, DueListsTodaysWordsQuizDueAsksThemAndFittingWantsAHistory) {
    // Answered just now, nothing is due yet; the marked words wait as new ones, one
    // of today's two already begun.
    ASSERT_EQ(RunOn(temp->tableFile, {"quiz", "--sql", kAll, "--in-order"}, "falsch\n:ende\n").exitCode, 0);
    const CliRun due = RunOn(temp->tableFile, {"due", "--new", "2"});
    ASSERT_EQ(due.exitCode, 0) << due.err;
    EXPECT_TRUE(Contains(due.err, "Heute: 0 fällig, 3 neu verfügbar (1 heute begonnen)")) << due.err;
    EXPECT_EQ(std::count(due.out.begin(), due.out.end(), '\n'), 1) << due.out;
    EXPECT_EQ(due.out.rfind("neu\t", 0), 0u) << due.out;
    const CliRun quiz = RunOn(temp->tableFile, {"quiz", "--due", "--new", "2"}, ":ende\n");
    EXPECT_EQ(quiz.exitCode, 0) << quiz.err;
    EXPECT_TRUE(Contains(quiz.out, "0/1")) << quiz.out;
    EXPECT_EQ(RunOn(temp->tableFile, {"quiz", "--due", "--lesson", "1"}).exitCode, 2);
    const CliRun fit = RunOn(temp->tableFile, {"fsrs", "optimize"});
    EXPECT_EQ(fit.exitCode, 1);
    EXPECT_TRUE(Contains(fit.err, "erst ab 1000 Antworten")) << fit.err;
}

// The program has its own handler for Ctrl+C in place (Linux: the caught-signal mask).
bool CatchesInterrupt(qint64 pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGINT - 1)) & 1;
    return false;
}

TEST_F(Quiz, CtrlCStopsALongOwnSelectionAtOnce) {
    const std::string endless =
        "SELECT * FROM Vokabel WHERE (WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
        "SELECT count(*) FROM n) > 0";
    QProcess cli;
    cli.start(QStringLiteral(MORVANTA_CLI), {QStringLiteral("--db"), QString::fromStdString(temp->tableFile.string()),
                                             QStringLiteral("quiz"), QStringLiteral("--sql"),
                                             QString::fromStdString(endless)});
    ASSERT_TRUE(cli.waitForStarted());
    while (cli.state() == QProcess::Running && !CatchesInterrupt(cli.processId()))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);  // once: a second one would end it at once
    if (!cli.waitForFinished(60000)) cli.kill();
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_EQ(cli.readAllStandardError().toStdString(), "Abgebrochen.\n");
}

}  // namespace
}  // namespace morvanta::clitest
