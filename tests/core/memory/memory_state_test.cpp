// The memory kept at each booking, replayed from the history, and what it makes
// due today.
#include <gtest/gtest.h>

#include <sstream>

#include "core/memory/due_today.h"
#include "core/memory/memory_state.h"
#include "core/quiz/quiz_session.h"
#include "store/data_set.h"
#include "store/database.h"
#include "support/temp_table.h"
#include "text/rich_text.h"

namespace morvanta::memory {
namespace {

class SetClock : public store::Clock {
public:
    store::DateTime now() const override { return at; }
    store::DateTime at{2026, 11, 1, 9, 0, 0, 0};
};

std::string States(store::Database& db) {
    std::ostringstream text;
    store::Statement rows = db.prepare(
        "SELECT WordId, Direction, printf('%.9f %.9f', Stability, Difficulty), FirstAt, LastAt, DueAt, Answers "
        "FROM MemoryState ORDER BY WordId, Direction");
    while (rows.step()) {
        for (int column = 0; column < 7; ++column) text << rows.columnText(column) << ' ';
        text << '\n';
    }
    return text.str();
}

std::int64_t Number(store::Database& db, const std::string& sql) {
    store::Statement s = db.prepare(sql);
    return s.step() ? s.columnInt(0) : -1;
}

class Memory : public ::testing::Test {
protected:
    void SetUp() override {
        test::InsertGeneratedWords(temp->tableFile, 8);
        db = temp->session().connect("Vokabel");
        KeepInStep(*db, settings);
    }
    // Answers word `row` on the given day and hour, the Japanese word shown unless `german`.
    void Answer(int row, int day, int hour, bool right, bool nearMiss = false, bool german = false) {
        clock.at = {2026, 11, day, hour, 0, 0, 0};
        store::Query query(temp->session(), "Vokabel");
        query.run({"SELECT * FROM Vokabel WHERE rowid = " + std::to_string(row) + ";"});
        if (!german) {
            quiz::BookAnswer(query, right, "x", clock, nearMiss);
            return;
        }
        quiz::QuizOptions options;
        options.direction = stats::Direction::GermanToJapanese;
        const std::string answer = right ? text::RtfToPlainText(query.asString("Kanji")) : "x";
        EXPECT_EQ(quiz::CheckAndBook(query, answer, options, clock).right, right);
    }
    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    std::shared_ptr<store::Database> db;
    ModelSettings settings;
    SetClock clock;
};

TEST_F(Memory, KeptAtEachBookingAsReplayedFromTheHistory) {
    Answer(1, 1, 9, false);
    Answer(1, 1, 9, true);  // the same day: the short-term step
    Answer(1, 4, 20, true, true);
    Answer(1, 12, 8, false);
    Answer(2, 2, 10, true);
    Answer(2, 2, 10, false, false, true);
    Answer(2, 3, 23, true, false, true);
    const std::string booked = States(*db);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM MemoryState"), 3);
    EXPECT_EQ(Number(*db, "SELECT Tolerant FROM AnswerHistory WHERE Id = 3"), 1);
    EXPECT_EQ(KeepInStep(*db, settings), Upkeep::InStep);
    Replay(*db, settings);
    EXPECT_EQ(States(*db), booked);

    // Gone, a history row changed outside, other weights: replayed each time.
    db->exec("DROP TABLE MemoryState");
    db = store::Database::open(temp->tableFile);
    EXPECT_EQ(KeepInStep(*db, settings), Upkeep::Replayed);
    EXPECT_EQ(States(*db), booked);
    db->exec("DELETE FROM AnswerHistory WHERE Id = 4");
    EXPECT_EQ(KeepInStep(*db, settings), Upkeep::Replayed);
    EXPECT_NE(States(*db), booked);
    ModelSettings other = settings;
    other.weights[8] = 1.5;
    EXPECT_EQ(KeepInStep(*db, other), Upkeep::Replayed);
    EXPECT_EQ(StoredSettings(*db)->weights, other.weights);

    // Another retention only moves the due times: later for a lower one.
    const std::string before = States(*db);
    other.retention = 0.8;
    EXPECT_EQ(KeepInStep(*db, other), Upkeep::DueTimesMoved);
    EXPECT_GT(Number(*db, "SELECT min(julianday(DueAt) - julianday(LastAt)) FROM MemoryState"), 0);
    EXPECT_NE(States(*db), before);
}

TEST_F(Memory, TodayIsTheMostForgottenThenNewMarkedWordsInKeyOrder) {
    // Stabilities after one answer: Again 0.2 days, Good 2.3 days.
    Answer(3, 1, 9, true);
    Answer(4, 1, 9, false);
    Answer(5, 10, 9, true);
    Answer(6, 10, 9, true);  // 5, 6 and 8 were begun today
    Answer(8, 10, 9, true);
    db->exec("UPDATE Vokabel SET Marked = rowid IN (1, 2, 7, 8)");
    clock.at = {2026, 11, 10, 12, 0, 0, 0};
    TodayRequest request;
    request.count = 1;
    request.newPerDay = 4;
    TodayPlan plan = PlanToday(*db, request, clock.at);
    EXPECT_EQ(plan.dueNow, 2);  // 3 and 4, not yet the ones of this morning
    EXPECT_EQ(plan.due, (std::vector<std::int64_t>{4}));
    EXPECT_EQ(plan.begunToday, 3);
    EXPECT_EQ(plan.newAvailable, 3);
    ASSERT_EQ(plan.fresh.size(), 1u);

    request.count = 10;
    request.newPerDay = 20;
    db->exec("DELETE FROM Vokabel WHERE rowid = 3");
    plan = PlanToday(*db, request, clock.at);
    EXPECT_EQ(plan.due, (std::vector<std::int64_t>{4}));
    std::vector<std::int64_t> keyOrder;
    store::Statement order = db->prepare(
        "SELECT WordId FROM VokabelOrder WHERE WordId IN (1, 2, 7) ORDER BY SortKey, WordId");
    while (order.step()) keyOrder.push_back(order.columnInt(0));
    EXPECT_EQ(plan.fresh, keyOrder);

    // One live selection the quiz books into.
    store::Query query(temp->session(), "Vokabel");
    query.run({TodaySelectionSql(plan)});
    EXPECT_TRUE(query.canModify());
    EXPECT_EQ(query.recordCount(), 4);

    // The forecast: 5, 6 and 8 due in two days (stability 2.3), 4 today.
    const std::vector<int> forecast = DueForecast(*db, stats::Direction::JapaneseToGerman, clock.at, 5);
    EXPECT_EQ(forecast, (std::vector<int>{1, 0, 3, 0, 0}));
}

}  // namespace
}  // namespace morvanta::memory
