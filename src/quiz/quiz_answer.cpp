// The answer check on the quiz page: booking in the record, counters and queue.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/guard.h"
#include "core/answer_check.h"
#include "core/next_word.h"
#include "quiz/quiz_page.h"

namespace morvanta::quiz {

namespace {

// An empty counter counts as 0.
std::int64_t Counter(const store::DataSet& record, std::string_view field) {
    return record.asString(field).empty() ? 0 : record.asInteger(field);
}

}  // namespace

void QuizPage::Button2Click() {
    platform::Guarded(context_.dialogs, [this] {
        store::Query& query = context_.Query1;
        const std::string t1 = query.asString("Translation1");
        const std::string t2 = query.asString("Translation2");
        const std::string t3 = query.asString("Translation3");
        const std::string answer = Edit1->text().toStdString();
        const bool right = IsRightAnswer(answer, t1, t2, t3, options().IgnoreCaps);

        bookAnswer(right);
        if (!right)
            context_.dialogs.showInfo(QString::fromStdString(WrongAnswerMessage(t1, t2, t3)));
        NextWord(right);

        Edit1->clear();
        Edit1->setFocus();
        Label30->setText(
            QString::fromStdString(ProgressText(state_.DoneCount, state_.SelectionCount)));
    });
}

// Edit, fields, post. A record that cannot be booked leaves everything as it was.
void QuizPage::bookAnswer(bool right) {
    store::Query& query = context_.Query1;
    query.edit();
    try {
        if (right) query.setValue("Marked", store::Value(false));
        query.setAsString("DateAsked", context_.clock.now().toGermanText());
        query.setAsString("NumberAsked", std::to_string(Counter(query, "NumberAsked") + 1));
        if (!right)
            query.setAsString("NumberWrong", std::to_string(Counter(query, "NumberWrong") + 1));
        query.post();
    } catch (...) {
        query.cancel();
        throw;
    }
}

void QuizPage::NextWord(bool right) {
    const int next =
        AdvanceAfterAnswer(state_, right, context_.Query1.recNo(), options(), context_.random);
    if (showScore_) showScore_();
    if (next == 0) {
        context_.dialogs.showInfo(QStringLiteral("Alle ausgwählten Vokabeln wurden Abgefragt"));
        Button2->setEnabled(false);
        return;
    }
    context_.Query1.setRecNo(next);
}

}  // namespace morvanta::quiz
