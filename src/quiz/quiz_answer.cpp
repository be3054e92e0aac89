// The answer on the quiz page: checked and booked by the quiz session, then the next word.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/quiz/answer_check.h"
#include "core/quiz/quiz_session.h"
#include "platform/guard.h"
#include "quiz/quiz_page.h"

namespace morvanta::quiz {

void QuizPage::Button2Click() {
    platform::Guarded(context_.dialogs, [this] {
        const AnswerResult result =
            CheckAndBook(context_.Query1, Edit1->text().toStdString(), options(), context_.clock);
        if (!result.right) context_.dialogs.showInfo(QString::fromStdString(result.wrongMessage));
        else showConfirmation(result.nearly.empty() ? QStringLiteral("Richtig")
                                                    : QString::fromStdString(result.nearly));
        NextWord(result.right);

        Edit1->clear();
        Edit1->setFocus();
        Label30->setText(
            QString::fromStdString(ProgressText(state_.DoneCount, state_.SelectionCount)));
    });
}

void QuizPage::showSession(const QString& progress, bool answerable) {
    Label30->setText(progress);
    Button2->setEnabled(answerable);
}

void QuizPage::NextWord(bool right) {
    const int next = NextQuestion(state_, context_.Query1, right, options(), context_.random);
    if (showScore_) showScore_();
    if (next == 0) {
        context_.dialogs.showInfo(QStringLiteral("Alle ausgwählten Vokabeln wurden Abgefragt"));
        Button2->setEnabled(false);
    }
}

}  // namespace morvanta::quiz
