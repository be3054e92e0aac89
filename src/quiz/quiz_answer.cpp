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
        // An answer to a word deleted meanwhile is not booked; the next word is shown.
        if (dropDeletedWords()) {
            Edit1->clear();
            Edit1->setFocus();
            return;
        }
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
    if (next == 0) endOfQuiz();
    else dropDeletedWords();
}

void QuizPage::endOfQuiz() {
    context_.dialogs.showInfo(QStringLiteral("Alle ausgwählten Vokabeln wurden Abgefragt"));
    Button2->setEnabled(false);
}

bool QuizPage::dropDeletedWords() {
    const int words = DropDeletedWords(state_, context_.Query1);
    if (words == 0) return false;
    const QString note = QString::fromStdString(DeletedWordsNote(words));
    if (showNote_) showNote_(note);
    else FeedbackLabel->setText(note);
    Label30->setText(QString::fromStdString(ProgressText(state_.DoneCount, state_.SelectionCount)));
    if (state_.AskQueue.empty()) endOfQuiz();
    return true;
}

}  // namespace morvanta::quiz
