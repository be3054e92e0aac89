#include "quiz/quiz_page.h"

namespace morvanta::quiz {

QuizPage::QuizPage(platform::FormContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

void QuizPage::applyColumns(const platform::ColumnLayout&) {}

}  // namespace morvanta::quiz
