#include "quiz/quiz_query.h"

#include "platform/status_bar.h"
#include "core/quiz/answer_check.h"

namespace morvanta::quiz {

store::ExecResult RunQuizQuery(store::Query& query, std::vector<std::string> lines,
                               const store::Query::ConfirmChange& confirm) {
    return query.run(std::move(lines), confirm);
}

void ShowScore(platform::StatusBar& statusBar, const QuizState& state) {
    statusBar.setPanelText(
        3, QString::fromStdString(ScoreText(state.RightCount, state.WrongCount)));
}

}  // namespace morvanta::quiz
