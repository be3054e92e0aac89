#include "core/quiz/next_word.h"

#include <gtest/gtest.h>

#include <climits>

#include <deque>

#include "core/quiz/random_source.h"

namespace morvanta::quiz {
namespace {

// Answers each draw from a script and records the ranges asked for.
class ScriptedRandom : public quiz::RandomSource {
public:
    std::deque<int> draws;
    std::vector<int> ranges;
    int random(int n) override {
        ranges.push_back(n);
        if (n <= 0) return 0;
        const int r = draws.empty() ? 0 : draws.front();
        if (!draws.empty()) draws.pop_front();
        return r % n;
    }
};

QuizState Session(int count) {
    QuizState s;
    s.SelectionCount = count;
    s.AskQueue = QuestionQueue::inTableOrder(count);
    return s;
}

TEST(NextWord, RightAnswersAskEveryEntryOnceThenEnd) {
    QuizState s = Session(3);
    ScriptedRandom random;
    EXPECT_EQ(AdvanceAfterAnswer(s, true, 1, {}, random), 2);
    EXPECT_EQ(AdvanceAfterAnswer(s, true, 2, {}, random), 3);
    EXPECT_EQ(AdvanceAfterAnswer(s, true, 3, {}, random), 0);
    EXPECT_EQ(s.DoneCount, 3);
    EXPECT_EQ(s.RightCount, 3);
    EXPECT_EQ(s.WrongCount, 0);
    EXPECT_TRUE(random.ranges.empty());
}

// Near insertion with ChunkSize 7: the wrong word is the fifth to eighth question after.
TEST(NextWord, NearRequeueComesBackFifthToEighth) {
    for (int draw = 0; draw < 4; ++draw) {
        SCOPED_TRACE(draw);
        QuizState s = Session(20);
        ScriptedRandom random;
        random.draws = {draw};
        QuizOptions options;
        options.DoubleWrong = false;
        EXPECT_EQ(AdvanceAfterAnswer(s, false, 1, options, random), 2);
        EXPECT_EQ(random.ranges, std::vector<int>{4});
        EXPECT_EQ(s.AskQueue.at(4 + draw), 1);
        EXPECT_EQ(s.AskQueue.size(), 20);
        EXPECT_EQ(s.DoneCount, 0);
        EXPECT_EQ(s.WrongCount, 1);
    }
}

TEST(NextWord, FarThenNearQueuesTwice) {
    QuizState s = Session(30);
    ScriptedRandom random;
    random.draws = {5, 3};  // far before entry 15, near before entry 7
    EXPECT_EQ(AdvanceAfterAnswer(s, false, 1, {}, random), 2);
    EXPECT_EQ(random.ranges, (std::vector<int>{20, 4}));
    EXPECT_EQ(s.AskQueue.at(7), 1);
    EXPECT_EQ(s.AskQueue.at(16), 1);  // pushed back by the near one
    EXPECT_EQ(s.AskQueue.size(), 31);
}

TEST(NextWord, AppendsWithoutChunkAndCountsDoneWithoutShowAgain) {
    QuizOptions options;
    options.DoubleWrong = false;
    options.Chunk = false;
    QuizState s = Session(5);
    ScriptedRandom random;
    AdvanceAfterAnswer(s, false, 1, options, random);
    EXPECT_EQ(s.AskQueue.text(), "00020003000400050001");

    options.WrongShowagain = false;
    QuizState t = Session(5);
    AdvanceAfterAnswer(t, false, 1, options, random);
    EXPECT_EQ(t.AskQueue.text(), "0002000300040005");
    EXPECT_EQ(t.DoneCount, 1);
    EXPECT_EQ(t.WrongCount, 1);
}

// Fewer than ten words with the far insertion, or a chunk below 3: ranges below 0 draw 0.
TEST(NextWord, NegativeRangesDrawZeroAndAppendPastTheEnd) {
    QuizState s = Session(3);
    ScriptedRandom random;
    QuizOptions options;
    options.ChunkSize = 1;
    EXPECT_EQ(AdvanceAfterAnswer(s, false, 1, options, random), 2);
    EXPECT_EQ(s.AskQueue.text(), "0002000300010001");
    // Sizes outside what a queue holds are clamped, not overflowed.
    for (int chunk : {INT_MIN, -5, 0, INT_MAX}) {
        QuizState u = Session(3);
        options.ChunkSize = chunk;
        EXPECT_NE(AdvanceAfterAnswer(u, false, 1, options, random), 0) << chunk;
    }
    options.ChunkSize = 1;

    // The last word wrong comes back until it is answered right.
    QuizState t = Session(1);
    options.DoubleWrong = false;
    EXPECT_EQ(AdvanceAfterAnswer(t, false, 1, options, random), 1);
    EXPECT_EQ(AdvanceAfterAnswer(t, true, 1, options, random), 0);
    EXPECT_EQ(t.DoneCount, 1);
}

}  // namespace
}  // namespace morvanta::quiz
