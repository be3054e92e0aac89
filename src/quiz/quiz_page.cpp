#include "quiz/quiz_page.h"

namespace morvanta::quiz {

QuizPage::QuizPage(platform::FormContext& context, QuizState& state, QWidget* parent)
    : QWidget(parent), context_(context), state_(state) {}

void QuizPage::fillPopupMenu(QMenu*) {}

void QuizPage::applyColumns(const platform::ColumnLayout&) {}

}  // namespace morvanta::quiz
