#pragma once

#include <QWidget>

#include "platform/form_context.h"
#include "platform/layout.h"
#include "quiz/quiz_state.h"

class QMenu;

namespace morvanta::quiz {

class QuizPage : public QWidget {
    Q_OBJECT
public:
    QuizPage(platform::FormContext& context, QuizState& state, QWidget* parent = nullptr);
    void applyColumns(const platform::ColumnLayout& columns);
    // Adds the quiz status items to the main window's pop-up menu.
    void fillPopupMenu(QMenu* PopupMenu1);

private:
    platform::FormContext& context_;
    QuizState& state_;
};

}  // namespace morvanta::quiz
