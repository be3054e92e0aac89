#pragma once

#include <QWidget>

#include "platform/form_context.h"
#include "platform/layout.h"
#include "quiz/quiz_state.h"

namespace morvanta::quiz {

class SelectionPage : public QWidget {
    Q_OBJECT
public:
    SelectionPage(platform::FormContext& context, QuizState& state, class QuizPage& quizPage,
                  QWidget* parent = nullptr);
    void applyColumns(const platform::ColumnLayout& columns);
    // Runs on every opening of the quiz query.
    void Query1AfterOpen();

private:
    platform::FormContext& context_;
    QuizState& state_;
    QuizPage& quizPage_;
};

}  // namespace morvanta::quiz
