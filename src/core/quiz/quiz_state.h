#pragma once
// The quiz session's state, owned by the main window for the whole run.

#include <string>

#include "core/quiz/question_queue.h"
#include "core/stats/direction.h"

namespace morvanta::quiz {

struct QuizState {
    std::string SelectionSql;
    int SelectionCount = 0;
    QuestionQueue AskQueue;  // text form: four upper-case hex digits per entry
    int DoneCount = 0;
    int RightCount = 0;
    int WrongCount = 0;
};

// "Mischen unter den ersten n Vokabeln": n from 1 to the largest queue.
inline constexpr int kMinChunkSize = 1;

// The quiz options of the selection page, read at the moment of each answer.
struct QuizOptions {
    bool WrongShowagain = true;
    bool DoubleWrong = true;
    bool Chunk = true;
    int ChunkSize = 7;
    bool IgnoreCaps = true;
    // "Tolerant prüfen": also right after blanks, articles, remarks, umlaut spellings
    // and one typo in a long word (off unless the learner turns it on).
    bool Tolerant = false;
    // "Abfragerichtung": the Japanese word shown and German typed, or the other way.
    stats::Direction direction = stats::Direction::JapaneseToGerman;
    // Answers are stored; false for a table that cannot be written, which is
    // then quizzed with every answer checked and nothing booked.
    bool Book = true;
};

}  // namespace morvanta::quiz
