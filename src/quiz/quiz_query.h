#pragma once
// Steps on the quiz query shared by the selection page, the quiz page and the status file.

#include <string>
#include <vector>

#include "core/quiz/quiz_state.h"
#include "store/data_set.h"

namespace morvanta::platform {
class StatusBar;
}

namespace morvanta::quiz {

// Close, clear the SQL lines, put in the new ones, execute once, open.
// Opening runs the after-open step. A statement that changes words takes effect
// (kept only once confirm agrees) and the former selection opens again.
store::ExecResult RunQuizQuery(store::Query& query, std::vector<std::string> lines,
                               const store::Query::ConfirmChange& confirm = {});

// Status bar panel 3: "<right> Richtig und <wrong> Falsch".
void ShowScore(platform::StatusBar& statusBar, const QuizState& state);

}  // namespace morvanta::quiz
