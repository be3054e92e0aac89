#pragma once
// The main window on a fresh table with chosen words, and shortcuts to the quiz pages.

#include <QLineEdit>
#include <QPushButton>

#include "quiz/quiz_page.h"
#include "quiz/selection_page.h"
#include "store/session.h"
#include "support/form_fixture.h"

namespace morvanta::quiz::testsupport {

inline store::Record Word(const std::string& t1, const std::string& t2 = {},
                          const std::string& t3 = {}, int lesson = 1,
                          const std::string& type = "Meishi", bool marked = true) {
    const store::DateTime entered{2006, 6, 1, 12, 0, 0, 0};
    return {t1,          t2,          t3,     "hepburn " + t1, std::string(), std::string(),
            std::int64_t{0}, std::string(), entered, std::monostate{}, std::int64_t{0},
            std::int64_t{0}, marked,      type,   false,           std::int64_t{lesson}};
}

class QuizFixture : public morvanta::testing::FormFixture {
protected:
    // Stores the words, then starts the program again so the start-up opens the quiz over them.
    app::TForm1& startWith(const std::vector<store::Record>& words) {
        app::TForm1& first = makeForm();
        for (const auto& w : words) first.Table1.insertRecord(w);
        dialogs.messages.clear();
        return makeForm();
    }
    SelectionPage& selection() { return *form->selectionPage; }
    QuizPage& page() { return *form->quizPage; }
    QuizState& state() { return form->quizState; }
    std::string current(std::string_view field) { return form->Query1.asString(field); }
    void answer(const QString& text) {
        page().Edit1->setText(text);
        page().Button2->click();
    }
    // Answers the question shown with its first translation, or wrongly.
    void answerCurrent(bool right) {
        answer(right ? QString::fromStdString(current("Translation1")) : QStringLiteral("falsch"));
    }
    QString panel(int i) { return form->StatusBar1->panelText(i); }

    // A field of the word with this Translation1, read through a connection of its own.
    std::string stored(const std::string& t1, std::string_view field) {
        store::Session session(form->aliasConfig());
        store::Query query(session, "Vokabel");
        query.setSql({"SELECT * FROM Vokabel WHERE Translation1 = \"" + t1 + "\";"});
        query.open();
        EXPECT_EQ(query.recordCount(), 1) << t1;
        return query.asString(field);
    }
};

}  // namespace morvanta::quiz::testsupport
