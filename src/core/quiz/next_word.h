#pragma once
// The counters and queue step after an answer, without widgets.

#include "core/quiz/quiz_state.h"

namespace morvanta::quiz {
class RandomSource;
}  // namespace morvanta::quiz
namespace morvanta::quiz {

// The entry being asked is the head of the queue. It is taken off; a wrong
// answer queues currentRecNo again, counting positions from the next question
// (far: before entry 10 + Random(SelectionCount - 10); near: before entry
// 4 + Random(ChunkSize - 3); otherwise at the end). Returns the record number
// to ask next, or 0 when the queue has run out.
int AdvanceAfterAnswer(QuizState& state, bool right, int currentRecNo, const QuizOptions& options,
                       quiz::RandomSource& random);

}  // namespace morvanta::quiz
