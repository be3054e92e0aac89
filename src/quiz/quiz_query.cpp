#include "quiz/quiz_query.h"

#include "platform/status_bar.h"
#include "quiz/answer_check.h"

namespace morvanta::quiz {

void RunQuizQuery(store::Query& query, std::vector<std::string> lines) {
    query.close();
    query.clearSql();
    for (auto& line : lines) query.addSqlLine(std::move(line));
    query.execSql();
    query.open();
}

void ShowScore(platform::StatusBar1& statusBar, const QuizState& state) {
    statusBar.setPanelText(
        3, QString::fromStdString(ScoreText(state.RightCount, state.WrongCount)));
}

}  // namespace morvanta::quiz
