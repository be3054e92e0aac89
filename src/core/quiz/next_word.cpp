#include "core/quiz/next_word.h"

#include <algorithm>

#include "core/quiz/random_source.h"

namespace morvanta::quiz {

namespace {
// Random(n) for n <= 0 is taken as 0.
int Draw(quiz::RandomSource& random, int n) { return n <= 0 ? 0 : random.random(n); }
}  // namespace

int AdvanceAfterAnswer(QuizState& state, bool right, int currentRecNo, const QuizOptions& options,
                       quiz::RandomSource& random) {
    const bool requeue = !right && options.WrongShowagain;
    if (requeue) QuestionQueue::checkRecNo(currentRecNo);  // before anything changes

    if (!state.AskQueue.empty()) state.AskQueue.takeHead();
    if (right) {
        state.DoneCount += 1;
        state.RightCount += 1;
    } else {
        state.WrongCount += 1;
        if (requeue) {
            if (options.DoubleWrong)
                state.AskQueue.insert(10 + Draw(random, state.SelectionCount - 10), currentRecNo);
            if (options.Chunk) {
                // Any size a caller hands in is taken within what a queue can hold.
                const int chunk = std::clamp(options.ChunkSize, kMinChunkSize, kMaxQueueRecord);
                state.AskQueue.insert(4 + Draw(random, chunk - 3), currentRecNo);
            }
            else
                state.AskQueue.append(currentRecNo);
        } else {
            state.DoneCount += 1;
        }
    }
    return state.AskQueue.empty() ? 0 : state.AskQueue.head();
}

}  // namespace morvanta::quiz
