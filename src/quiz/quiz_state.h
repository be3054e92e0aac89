#pragma once
// The quiz session's state, owned by the main window for the whole run.

#include <string>

namespace morvanta::quiz {

struct QuizState {
    std::string SelectionSql;
    int SelectionCount = 0;
    std::string AskQueue;  // four upper-case hex digits per entry, no separator
    int DoneCount = 0;
    int RightCount = 0;
    int WrongCount = 0;
};

}  // namespace morvanta::quiz
