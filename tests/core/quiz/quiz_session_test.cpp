// Taking up a saved quiz: which words are asked, in which order.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/quiz/quiz_session.h"
#include "core/quiz/random_source.h"
#include "core/quiz/status_file.h"
#include "store/data_set.h"
#include "store/database.h"
#include "support/temp_table.h"

namespace morvanta::quiz {
namespace {

class ResumeSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::InsertGeneratedWords(temp->tableFile, 5);
        query.afterOpen = [this](store::DataSet& q) { StartSession(state, q, false, random); };
    }
    // Record numbers asked from here on, answering each right.
    std::vector<int> askAll() {
        std::vector<int> asked;
        QuizOptions options;
        while (!state.AskQueue.empty() && asked.size() < 20) {
            asked.push_back(query.recNo());
            NextQuestion(state, query, true, options, random);
        }
        return asked;
    }
    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    store::Query query{temp->session(), "Vokabel"};
    QuizState state;
    StdRandom random{1};
};

TEST_F(ResumeSessionTest, TheShownWordIsAskedFirstThenEveryQueuedWordOnce) {
    // Current record 1, not the head of its queue.
    const auto content = ReadStatusFile(
        "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel;\r\n5\r\n2\r\n1\r\n000500040002\r\n");
    const ResumeResult result = ResumeSession(state, query, content);
    EXPECT_TRUE(result.resumed);
    EXPECT_FALSE(result.countChanged);
    EXPECT_EQ(askAll(), (std::vector<int>{1, 5, 4, 2}));
}

TEST_F(ResumeSessionTest, WordsAreFoundByTheirRowsAndMissingOnesAreCounted) {
    query.run({"SELECT * FROM Vokabel;"});
    // Rows of records 4 (shown), 4, 2 and 5 of the whole table.
    StatusFileContent content = CaptureStatus(state, query);
    content.queueText = "000400020005";
    content.rowIds = {query.rowIdAt(4), query.rowIdAt(4), query.rowIdAt(2), query.rowIdAt(5)};
    const std::int64_t second = query.rowIdAt(2);
    // The second word leaves the table; record numbers shift.
    auto db = temp->session().connect("Vokabel");
    db->exec("DELETE FROM Vokabel WHERE rowid = " + std::to_string(second));
    const ResumeResult result = ResumeSession(state, query, ReadStatusFile(WriteStatusFile(content)));
    EXPECT_EQ(result.dropped, 1);
    EXPECT_EQ(result.added, 0);
    EXPECT_EQ(state.SelectionCount, 4);  // the words it started with, less the one gone
    std::vector<std::int64_t> askedRows;
    for (int recNo : askAll()) askedRows.push_back(query.rowIdAt(recNo));
    EXPECT_EQ(askedRows, (std::vector<std::int64_t>{content.rowIds[1], content.rowIds[3]}));

    // A word queued twice and gone is one word; a word new since is named, not asked.
    content.rowIds = {content.rowIds[0], second, second, content.rowIds[3]};
    content.queueText = "000200020005";
    content.selectionCount = 4;
    test::InsertGeneratedWords(temp->tableFile, 1, 50);
    const ResumeResult again = ResumeSession(state, query, ReadStatusFile(WriteStatusFile(content)));
    EXPECT_EQ(again.dropped, 1);
    EXPECT_EQ(again.added, 2);  // the word inserted, and the one left out of the saved queue
    EXPECT_EQ(DroppedWordsNote(again.dropped),
              "1 gespeicherte Vokabel ist nicht mehr in der Auswahl und wird nicht abgefragt.");
    EXPECT_EQ(AddedWordsNote(2), "2 neue Vokabeln sind nicht in der gespeicherten Abfrage.");

    // Line 3 may count words that have left since, never more than those and the ones asked.
    content.selectionCount = 2147483647;
    try {
        ResumeSession(state, query, ReadStatusFile(WriteStatusFile(content)));
        ADD_FAILURE() << "an inflated line 3 was taken";
    } catch (const DamagedStatusFileError& e) {
        EXPECT_NE(std::string(e.what()).find("Zeile 3 nennt 2147483647 Vokabeln, es können höchstens"),
                  std::string::npos) << e.what();
    }
}

TEST_F(ResumeSessionTest, AFileWithoutQueueHasNothingLeftToAsk) {
    const auto content =
        ReadStatusFile("Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel;\r\n5\r\n5\r\n3\r\n");
    const ResumeResult result = ResumeSession(state, query, content);
    EXPECT_TRUE(result.nothingLeft);
    EXPECT_FALSE(result.resumed);
    // A seventh line that does not fit its queue makes a damaged file.
    EXPECT_THROW(ReadStatusFile("Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel;\r\n5\r\n0\r\n1\r\n"
                                "00010002\r\n7 8\r\n"),
                 DamagedStatusFileError);
}

}  // namespace
}  // namespace morvanta::quiz

namespace morvanta::quiz {
namespace {

TEST_F(ResumeSessionTest, TolerantCheckingBooksNearAnswersAsRightAndSaysWhich) {
    auto db = temp->session().connect("Vokabel");
    db->exec("INSERT INTO Vokabel (Translation1, Translation2, Hepburn, NumberAsked, NumberWrong, Marked) "
             "VALUES ('das Mädchen', 'Kind', 'shoujo', 0, 0, 1)");
    query.run({"SELECT * FROM Vokabel WHERE Hepburn = \"shoujo\";"});
    store::SystemClock clock;
    QuizOptions strict;
    AnswerResult typed = CheckAndBook(query, "Kind ", strict, clock);
    EXPECT_FALSE(typed.right);
    EXPECT_NE(typed.wrongMessage.find("\r\nIhre Eingabe: \u201EKind \u201C"), std::string::npos)
        << typed.wrongMessage;
    QuizOptions tolerant;
    tolerant.Tolerant = true;
    for (const char* near : {"Mädchn", "maedchen", "die Mädchen"}) {
        SCOPED_TRACE(near);
        const AnswerResult r = CheckAndBook(query, near, tolerant, clock);
        EXPECT_TRUE(r.right);
        EXPECT_EQ(r.nearly.rfind("Fast richtig: das Mädchen", 0), 0u) << r.nearly;
    }
    EXPECT_FALSE(CheckAndBook(query, "Hund", tolerant, clock).right);
    EXPECT_EQ(query.asString("NumberAsked"), "5");
    EXPECT_EQ(query.asString("NumberWrong"), "2");
}

}  // namespace
}  // namespace morvanta::quiz

namespace morvanta::quiz {
namespace {

TEST_F(ResumeSessionTest, AnEmptySelectionZeroesTheScoreButKeepsQueueAndProgress) {
    query.run({"SELECT * FROM Vokabel;"});
    QuizOptions options;
    NextQuestion(state, query, true, options, random);
    NextQuestion(state, query, false, options, random);
    const std::string queue = state.AskQueue.text();
    query.run({"SELECT * FROM Vokabel WHERE Lesson < 0;"});
    EXPECT_EQ(state.SelectionCount, 0);
    EXPECT_EQ(state.RightCount + state.WrongCount, 0);
    EXPECT_EQ(state.AskQueue.text(), queue);
    EXPECT_EQ(state.DoneCount, 1);
}

}  // namespace
}  // namespace morvanta::quiz

namespace morvanta::quiz {
namespace {

// Every opening of a selection: the first word shown is the head of its queue.
TEST_F(ResumeSessionTest, AnOpenedSelectionStandsOnTheHeadOfItsQueue) {
    query.afterOpen = [this](store::DataSet& q) { StartSession(state, q, true, random); };
    std::vector<int> heads;
    for (int run = 0; run < 8; ++run) {
        state.DoneCount = 3;
        query.run({"SELECT * FROM Vokabel;"});
        EXPECT_EQ(state.DoneCount, 0);
        EXPECT_EQ(query.recNo(), state.AskQueue.head());
        heads.push_back(state.AskQueue.head());
    }
    EXPECT_NE(std::count(heads.begin(), heads.end(), 1), 8);  // not merely the first record
}

class StillClock : public store::Clock {
public:
    store::DateTime now() const override { return {2024, 3, 15, 10, 30, 0, 0}; }
};

// Both answers are stamped with the clock's time; only a right one unmarks its word.
TEST_F(ResumeSessionTest, ABookedAnswerIsStampedAndUnmarksItsWordOnlyWhenRight) {
    temp->session().connect("Vokabel")->exec("UPDATE Vokabel SET Marked = 1");
    query.run({"SELECT * FROM Vokabel;"});
    StillClock clock;
    for (const bool right : {true, false}) {
        SCOPED_TRACE(right);
        query.setRecNo(right ? 1 : 2);
        CheckAndBook(query, right ? query.asString("Translation1") : "falsch", {}, clock);
        EXPECT_EQ(query.asString("Marked"), right ? "False" : "True");
        EXPECT_EQ(query.asString("DateAsked"), "15.03.2024 10:30:00");
    }
}

// The status names the statement's first line, and the shown word and every
// queued one by their rows.
TEST_F(ResumeSessionTest, TheCapturedStatusNamesTheWordsByTheirRows) {
    query.run({"SELECT * FROM Vokabel", "ORDER BY Hepburn DESC;"});
    NextQuestion(state, query, true, {}, random);
    StatusFileContent content = CaptureStatus(state, query);
    EXPECT_EQ(content.sqlLine, "SELECT * FROM Vokabel");
    EXPECT_EQ(content.selectionCount, 5);
    EXPECT_EQ(content.doneCount, 1);
    EXPECT_EQ(content.recNo, 2);
    EXPECT_EQ(content.queueText, "0002000300040005");
    std::vector<std::int64_t> rows;
    for (int recNo : {2, 2, 3, 4, 5}) rows.push_back(query.rowIdAt(recNo));
    EXPECT_EQ(content.rowIds, rows);
    EXPECT_NE(rows.front(), 2);  // rows, not record numbers

    // After the last word only the shown one is named.
    while (NextQuestion(state, query, true, {}, random) != 0) {}
    content = CaptureStatus(state, query);
    EXPECT_EQ(content.doneCount, 5);
    EXPECT_EQ(content.queueText, "");
    EXPECT_EQ(content.rowIds, std::vector<std::int64_t>{query.rowIdAt(query.recNo())});

    // A query without a statement has nothing to save.
    store::Query none(temp->session(), "Vokabel");
    EXPECT_THROW(CaptureStatus(state, none), std::runtime_error);
}

// A file without rows knows its words by number only: in a smaller selection the
// numbers beyond it are dropped and the change is reported.
TEST_F(ResumeSessionTest, WithoutRowsASmallerSelectionDropsTheNumbersBeyondIt) {
    const auto content = ReadStatusFile(
        "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel WHERE Hepburn < \"hepburn3\";\r\n5\r\n1\r\n"
        "5\r\n0005000200040003\r\n");
    const ResumeResult result = ResumeSession(state, query, content);
    EXPECT_TRUE(result.countChanged);
    EXPECT_EQ(result.dropped, 2);
    EXPECT_EQ(state.SelectionCount, 3);
    EXPECT_EQ(state.DoneCount, 1);
    EXPECT_EQ(state.AskQueue.text(), "00020003");
    EXPECT_EQ(query.recNo(), 2);
}

// A word deleted on the browse page while queued twice leaves the queue with both
// entries once it is to be asked; the other words go on and the save forgets it.
TEST_F(ResumeSessionTest, AWordDeletedDuringTheQuizLeavesTheQueueAndTheCount) {
    query.run({"SELECT * FROM Vokabel;"});
    NextQuestion(state, query, false, {}, random);  // word 1 queued again, twice
    const std::vector<int> queued = state.AskQueue.entries();
    ASSERT_EQ(std::count(queued.begin(), queued.end(), 1), 2);
    EXPECT_EQ(DropDeletedWords(state, query), 0);
    const std::vector<std::int64_t> gone = {query.rowIdAt(1), query.rowIdAt(2)};
    store::Table table(temp->session(), "Vokabel", "Vokabel.DB");
    table.open();
    for (const std::int64_t row : gone)
        for (int recNo = 1; recNo <= table.recordCount(); ++recNo)
            if (table.rowIdAt(recNo) == row) {
                table.setRecNo(recNo);
                table.deleteRecord();
                break;
            }
    EXPECT_EQ(query.recNo(), 2);
    EXPECT_EQ(DropDeletedWords(state, query), 2);
    EXPECT_EQ(state.AskQueue.entries(), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(query.recNo(), 3);
    EXPECT_EQ(state.SelectionCount, 3);
    const StatusFileContent saved = CaptureStatus(state, query);
    for (const std::int64_t row : gone) EXPECT_EQ(std::count(saved.rowIds.begin(), saved.rowIds.end(), row), 0);
    EXPECT_EQ(askAll(), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(state.DoneCount, 3);
    EXPECT_EQ(DeletedWordsNote(1), "1 gelöschte Vokabel wird nicht mehr abgefragt.");
    EXPECT_EQ(DeletedWordsNote(2), "2 gelöschte Vokabeln werden nicht mehr abgefragt.");
}

}  // namespace
}  // namespace morvanta::quiz
