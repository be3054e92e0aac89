#include "quiz/selection_page.h"

#include "quiz/quiz_page.h"

namespace morvanta::quiz {

SelectionPage::SelectionPage(platform::FormContext& context, QuizState& state, QuizPage& quizPage,
                             QWidget* parent)
    : QWidget(parent), context_(context), state_(state), quizPage_(quizPage) {}

void SelectionPage::Query1AfterOpen() {}

void SelectionPage::applyColumns(const platform::ColumnLayout&) {}

}  // namespace morvanta::quiz
