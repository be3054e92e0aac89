#include "core/quiz/question_queue.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/quiz/random_source.h"
#include "support/reference_ask_queue.h"

namespace morvanta::quiz {
namespace {

TEST(AskQueue, TableOrderAndSingleRecord) {
    EXPECT_EQ(QuestionQueue::inTableOrder(5).text(), "00010002000300040005");
    quiz::StdRandom random(1);
    EXPECT_EQ(QuestionQueue::inTableOrder(1).text(), "0001");
    EXPECT_EQ(QuestionQueue::inRandomOrder(1, random).text(), "0001");
    EXPECT_EQ(QuestionQueue::inTableOrder(0).text(), "");
    EXPECT_EQ(QuestionQueue::inTableOrder(0xA3).text().substr(0xA2 * 4), "00A3");
}

TEST(AskQueue, RandomOrderEqualsLiteralStringInsertion) {
    for (int count : {2, 3, 10, 255, 256, 511, 512, 1000, 5000}) {
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(testing::Message() << "count " << count << " seed " << seed);
            quiz::StdRandom a(seed), b(seed);
            ASSERT_EQ(QuestionQueue::inRandomOrder(count, a).text(),
                      reference::BuildRandomAskQueue(count, b));
        }
    }
}

TEST(AskQueue, LargestSelectionEqualsLiteralAndBeyondIsRefused) {
    quiz::StdRandom a(7), b(7);
    EXPECT_EQ(QuestionQueue::inRandomOrder(kMaxQueueRecord, a).text(),
              reference::BuildRandomAskQueue(kMaxQueueRecord, b));
    EXPECT_THROW(QuestionQueue::inRandomOrder(kMaxQueueRecord + 1, a), QueueError);
    EXPECT_THROW(QuestionQueue::inTableOrder(kMaxQueueRecord + 1), QueueError);
}

// Each draw r = Random(i + 1) with r >= i - 1 appends: the last place is twice as likely.
TEST(AskQueue, RandomOrderFavoursLastPlaceTwice) {
    quiz::StdRandom random(12345);
    const int trials = 60000;
    std::vector<int> placeOfThree(3, 0);
    for (int t = 0; t < trials; ++t) {
        const auto entries = QuestionQueue::inRandomOrder(3, random).entries();
        for (int p = 0; p < 3; ++p)
            if (entries[p] == 3) ++placeOfThree[p];
    }
    // Entry 3 is inserted last with r in {0,1,2,3}: places 0, 1 one quarter each, last place half.
    EXPECT_NEAR(placeOfThree[0] / double(trials), 0.25, 0.01);
    EXPECT_NEAR(placeOfThree[1] / double(trials), 0.25, 0.01);
    EXPECT_NEAR(placeOfThree[2] / double(trials), 0.50, 0.01);
}

TEST(AskQueue, InsertAndTakeHeadMatchLiteralOperations) {
    quiz::StdRandom random(99);
    QuestionQueue queue = QuestionQueue::inTableOrder(3000);
    std::string literal = queue.text();
    for (int step = 0; step < 20000; ++step) {
        SCOPED_TRACE(step);
        if (random.random(3) == 0 && !queue.empty()) {
            ASSERT_EQ(queue.takeHead(), std::stoi(literal.substr(0, 4), nullptr, 16));
            reference::TakeHead(literal);
        } else {
            const int position = random.random(queue.size() + 20) - 5;  // incl. negative and past end
            const int recNo = 1 + random.random(kMaxQueueRecord);
            queue.insert(position, recNo);
            reference::InsertEntry(literal, position, recNo);
        }
        if (step % 997 == 0) {
            ASSERT_EQ(queue.text(), literal);
        }
    }
    EXPECT_EQ(queue.text(), literal);
    EXPECT_EQ(queue.size() * 4, static_cast<int>(literal.size()));
}

TEST(AskQueue, TextFormReadsBack) {
    EXPECT_EQ(QuestionQueue::fromText("000500040002").entries(), (std::vector<int>{5, 4, 2}));
    EXPECT_EQ(QuestionQueue::fromText("00a3").text(), "00A3");
    EXPECT_TRUE(QuestionQueue::fromText("").empty());
    EXPECT_THROW(QuestionQueue::fromText("00050"), QueueError);
    EXPECT_THROW(QuestionQueue::fromText("000G"), QueueError);
    EXPECT_THROW(QuestionQueue::fromText("00 1"), QueueError);
    QuestionQueue empty;
    EXPECT_THROW(empty.takeHead(), QueueError);
    EXPECT_THROW(empty.append(0), QueueError);
    EXPECT_EQ(QueueEntry(0xFFFF), "FFFF");
}

}  // namespace
}  // namespace morvanta::quiz
