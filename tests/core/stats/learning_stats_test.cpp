// The answer history and what the statistics read from it, on a small table
// whose counters and history are known.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/stats/learning_stats.h"
#include "core/quiz/quiz_session.h"
#include "core/stats/stats_csv.h"
#include "store/data_set.h"
#include "store/database.h"
#include "support/rtf_test_support.h"
#include "support/temp_table.h"

namespace morvanta::stats {
namespace {

class FixedClock : public store::Clock {
public:
    store::DateTime now() const override { return {2024, 3, 15, 10, 30, 0, 0}; }
};

const QDate kToday(2024, 3, 15);

std::int64_t Number(store::Database& db, const std::string& sql) {
    store::Statement s = db.prepare(sql);
    return s.step() ? s.columnInt(0) : -1;
}

// Every figure of one direction but the CSV, in one line.
std::string Figures(store::Database& db, Direction d) {
    std::ostringstream text;
    for (const DayAnswers& a : AnswersPerDay(db, kToday, 7, d))
        if (a.right + a.wrong > 0) text << a.day.day() << ":" << a.right << "/" << a.wrong << " ";
    text << "| " << AnswersInLastWeek(db, kToday, d) << " " << PracticeStreak(db, kToday, d) << " |";
    const WordFigures f = ReadWordFigures(db, kToday, d, 2);
    for (const auto* groups : {&f.lessons, &f.types})
        for (const GroupErrors& g : *groups) text << " " << g.label << ":" << g.wrong << "/" << g.asked;
    const LastAskedSpread& s = f.lastAsked;
    text << " | " << s.today << s.lastWeek << s.lastMonth << s.longer << s.never << " |";
    for (const TroubleWord& word : f.trouble) text << " " << word.wordId;
    text << " |";
    return text.str();
}

class LearningStats : public ::testing::Test {
protected:
    void SetUp() override {
        test::InsertGeneratedWords(temp->tableFile, 6);
        db = temp->session().connect("Vokabel");
        // Rows 1 to 4 asked (today, 3 days, 14 days, months ago), 5 and 6 never.
        db->exec(R"sql(
UPDATE Vokabel SET Marked = rowid <= 3, NumberAsked = 0, NumberWrong = 0, Lesson = 3;
UPDATE Vokabel SET Lesson = 1, Type = 'Meishi', NumberAsked = 4, NumberWrong = 3,
       DateAsked = '2024-03-15 09:00:00.000', Translation2 = 'a;"b"' WHERE rowid = 1;
UPDATE Vokabel SET Lesson = 1, Type = 'Fukushi', NumberAsked = 2, DateAsked = '2024-03-12 08:00:00.000' WHERE rowid = 2;
UPDATE Vokabel SET Lesson = 2, Type = 'Meishi', NumberAsked = 5, NumberWrong = 2, DateAsked = '2024-03-01 08:00:00.000' WHERE rowid = 3;
UPDATE Vokabel SET Lesson = 2, Type = 'Meishi', NumberAsked = 1, NumberWrong = 1, DateAsked = '2023-12-01 08:00:00.000' WHERE rowid = 4;
INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer) VALUES
  (1, '2024-03-15 10:00:00.000', 0, 'Hut'), (1, '2024-03-14 10:00:00.000', 1, 'Haus'),
  (2, '2024-03-14 11:00:00.000', 0, ''), (3, '2024-03-13 10:00:00.000', 1, 'x'),
  (4, '2024-03-10 10:00:00.000', 0, 'y'), (3, '2024-03-01 10:00:00.000', 0, 'z');
)sql");
    }
    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    std::shared_ptr<store::Database> db;
};

TEST_F(LearningStats, BookingWritesItsHistoryRowOrNothing) {
    store::Query query(temp->session(), "Vokabel");
    query.run({"SELECT * FROM Vokabel WHERE rowid = 5;"});
    FixedClock clock;
    quiz::QuizOptions options;
    quiz::CheckAndBook(query, query.asString("Translation1"), options, clock);
    quiz::CheckAndBook(query, "Unsinn", options, clock);
    store::Statement rows = db->prepare("SELECT WordId, AskedAt, Correct, Answer FROM AnswerHistory WHERE WordId = 5 ORDER BY Id");
    std::vector<std::string> seen;
    while (rows.step())
        seen.push_back(std::to_string(rows.columnInt(0)) + "|" + std::string(rows.columnText(1)) + "|" +
                       std::to_string(rows.columnInt(2)) + "|" + std::string(rows.columnText(3)));
    EXPECT_EQ(seen, (std::vector<std::string>{"5|2024-03-15 10:30:00.000|1|" + query.asString("Translation1"),
                                              "5|2024-03-15 10:30:00.000|0|Unsinn"}));
    EXPECT_EQ(Number(*db, "SELECT NumberAsked * 10 + NumberWrong FROM Vokabel WHERE rowid = 5"), 21);

    // A booking that fails (the word was deleted meanwhile) leaves no history row.
    db->exec("DELETE FROM Vokabel WHERE rowid = 5");
    EXPECT_THROW(quiz::BookAnswer(query, false, "weg", clock), store::EngineError);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM AnswerHistory WHERE WordId = 5"), 2);
}

TEST_F(LearningStats, FiguresOfAKnownTableAndHistory) {
    std::vector<std::string> days;
    for (const DayAnswers& d : AnswersPerDay(*db, kToday, 7))
        days.push_back(d.day.toString(Qt::ISODate).toStdString() + " " + std::to_string(d.right) + "/" +
                       std::to_string(d.wrong));
    EXPECT_EQ(days, (std::vector<std::string>{"2024-03-09 0/0", "2024-03-10 0/1", "2024-03-11 0/0",
                                              "2024-03-12 0/0", "2024-03-13 1/0", "2024-03-14 1/1",
                                              "2024-03-15 0/1"}));
    EXPECT_EQ(AnswersInLastWeek(*db, kToday), 5);
    // 13th to 15th; a day without answers yet keeps yesterday's streak.
    EXPECT_EQ(PracticeStreak(*db, kToday), 3);
    EXPECT_EQ(PracticeStreak(*db, kToday.addDays(1)), 3);
    EXPECT_EQ(PracticeStreak(*db, kToday.addDays(2)), 0);

    const WordFigures f = ReadWordFigures(*db, kToday, Direction::JapaneseToGerman, 2);
    EXPECT_EQ(std::vector<int>({f.words, f.marked, f.askedOnce}), std::vector<int>({6, 3, 4}));
    const auto groups = [](const std::vector<GroupErrors>& list) {
        std::string text;
        for (const GroupErrors& g : list) text += g.label + ":" + std::to_string(g.wrong) + "/" + std::to_string(g.asked) + " ";
        return text;
    };
    EXPECT_EQ(groups(f.lessons), "1:3/6 2:3/6 ");
    EXPECT_EQ(groups(f.types), "Meishi:6/10 Fukushi:0/2 ");
    const LastAskedSpread& s = f.lastAsked;
    EXPECT_EQ(std::vector<int>({s.today, s.lastWeek, s.lastMonth, s.longer, s.never}),
              std::vector<int>({1, 1, 1, 1, 2}));
    ASSERT_EQ(f.trouble.size(), 2u);
    EXPECT_EQ(f.trouble[0].wordId, 1);
    EXPECT_EQ(f.trouble[0].hepburn, "hepburn0");
    EXPECT_EQ(f.trouble[1].wordId, 3);
}

TEST_F(LearningStats, CsvHasEveryWordWithItsCountersAndHistory) {
    std::ostringstream out;
    EXPECT_EQ(WriteStatisticsCsv(*db, out), 6);
    const std::string csv = out.str();
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBFKanji;Kana;Hepburn;", 0), 0u);
    const size_t line = csv.find(";hepburn0;");
    ASSERT_NE(line, std::string::npos);
    const size_t start = csv.rfind("\r\n", line) + 2;
    const std::string row = csv.substr(start, csv.find("\r\n", line) - start);
    // Hepburn, the translations (one quoted), lesson, type, marked, counters, date, history.
    EXPECT_EQ(row.substr(row.find("hepburn0")),
              "hepburn0;Haus 0;\"a;\"\"b\"\"\";dritte Bedeutung;1;Meishi;ja;4;3;15.03.2024 09:00:00;2;1;1;nicht richtig");
    // Texts a spreadsheet would run as formulas stay text; a word never asked has
    // no answer date, whatever its record says.
    db->exec("UPDATE Vokabel SET Translation1 = '=1+2', DateAsked = '2024-03-01 08:00:00.000' WHERE rowid = 5");
    std::ostringstream again;
    WriteStatisticsCsv(*db, again);
    EXPECT_NE(again.str().find(";hepburn4;'=1+2;"), std::string::npos) << again.str();
    EXPECT_NE(again.str().find(";nein;0;0;;0;0;0;\r\n"), std::string::npos) << again.str();

    // LibreOffice Calc, where installed, keeps every such cell a text: no formula, no boolean.
    test::TempFolder folder;
    const std::filesystem::path file = folder.path() / "statistik.csv";
    std::ofstream(file, std::ios::binary) << again.str();
    if (const auto sheet = exchangetest::ReadWithLibreOffice(file, "fods", "CSV:59,34,76,1")) {
        EXPECT_EQ(sheet->find("table:formula"), std::string::npos);
        EXPECT_EQ(sheet->find("office:value-type=\"boolean\""), std::string::npos);
        EXPECT_NE(sheet->find("<text:p>nicht richtig</text:p>"), std::string::npos);
        EXPECT_NE(sheet->find("=1+2</text:p>"), std::string::npos);
    }
}

TEST_F(LearningStats, EachDirectionReadsOnlyItsOwnAnswers) {
    constexpr Direction ja = Direction::JapaneseToGerman, de = Direction::GermanToJapanese;
    const auto csv = [this](Direction d) {
        std::ostringstream out;
        WriteStatisticsCsv(*db, out, d);
        return out.str();
    };
    db->exec("UPDATE Vokabel SET Type = 'Meishi' WHERE rowid IN (5, 6)");
    const std::string japanese = Figures(*db, ja), japaneseCsv = csv(ja);

    // German → Japanese: 3 wrong today after right yesterday, 5 right twice, 6 wrong
    // long ago, and a deleted word's answer; no counters.
    db->exec(R"sql(
INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer, Direction) VALUES
  (3, '2024-03-15 09:30:00.000', 0, 'a', 1), (3, '2024-03-14 10:00:00.000', 1, 'b', 1),
  (5, '2024-03-11 10:00:00.000', 1, 'c', 1), (5, '2024-03-12 10:00:00.000', 1, 'd', 1),
  (6, '2024-02-01 10:00:00.000', 0, 'e', 1), (99, '2024-03-15 10:00:00.000', 0, 'f', 1);
)sql");
    EXPECT_EQ(Figures(*db, ja), japanese);
    EXPECT_EQ(csv(ja), japaneseCsv);
    EXPECT_EQ(Figures(*db, de), "11:1/0 12:1/0 14:1/0 15:0/2 | 5 2 | 2:1/2 3:1/3 Meishi:2/5 | 11013 | 6 3 |");
    // Word 2 has only counters: never asked this way.
    const std::string german = csv(de);
    for (const char* line : {";hepburn2;über 2;zweite 2;;2;Meishi;ja;2;1;15.03.2024 09:30:00;2;1;1;nicht richtig\r\n",
                             ";hepburn1;Äpfel 1;zweite 1;;1;Fukushi;ja;0;0;;0;0;0;\r\n"})
        EXPECT_NE(german.find(line), std::string::npos) << line;
}

}  // namespace
}  // namespace morvanta::stats
