// The selection page in the window: its widgets and their states, what they
// hand to the selection and the quiz, and what the window shows of the result.
// The statement's text and the queue's order are the core's (tests/core/quiz).
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "quiz/quiz_fixture.h"

namespace morvanta::quiz {
namespace {

using testsupport::Word;

class SelectionPageTest : public testsupport::QuizFixture {};

std::vector<store::Record> LessonWords() {
    return {Word("Hund", "", "", 1),     Word("Katze", "", "", 1), Word("Maus", "", "", 2, "Joshi"),
            Word("Baum", "", "", 1),     Word("Berg", "", "", 3),
            Word("Fluss", "", "", 1, "Meishi", false)};
}

TEST_F(SelectionPageTest, StartStateAndEnablingRules) {
    startWith({});
    SelectionPage& s = selection();
    EXPECT_EQ(s.QERatio->text().size(), 1);  // Qt drops the blanks; the SQL uses the mask text
    EXPECT_EQ(s.ratioText(), QStringLiteral(" .   "));
    EXPECT_EQ(s.QEAge->date(), QDate(2007, 1, 1));
    EXPECT_EQ(s.QELesson->value(), 1);
    EXPECT_EQ(s.QELesson->minimum(), INT_MIN);
    EXPECT_EQ(s.QEtype->count(), 12);
    EXPECT_EQ(s.QEtype->currentIndex(), -1);
    EXPECT_EQ(s.ChunkSize->value(), 7);
    EXPECT_TRUE(s.RandomCheckBox->isChecked());
    EXPECT_TRUE(s.IgnoreCapsBox->isChecked());
    EXPECT_EQ(s.Memo1->toPlainText(), QStringLiteral("SELECT * FROM Vokabel WHERE Marked=True;"));
    for (QWidget* w : std::initializer_list<QWidget*>{s.QERatio, s.QEAge, s.QEAskedDate, s.QELesson,
                                                       s.QEtype, s.Memo1, s.Button5, s.Button4})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

    s.QCRatio->click();
    s.QCtype->click();
    EXPECT_TRUE(s.QERatio->isEnabled());
    EXPECT_TRUE(s.QEtype->isEnabled());
    s.QCRatio->click();
    EXPECT_FALSE(s.QERatio->isEnabled());

    s.CheckBox5->click();
    EXPECT_TRUE(s.Memo1->isEnabled());
    EXPECT_TRUE(s.Button4->isEnabled());
    EXPECT_FALSE(s.GroupBox1->isEnabled());
    EXPECT_FALSE(s.Button8->isEnabled());
    s.Memo1->setPlainText(QStringLiteral("SELECT * FROM Vokabel;"));
    s.Button5->click();  // only the memo changes
    EXPECT_EQ(s.Memo1->toPlainText(), QStringLiteral("SELECT * FROM Vokabel WHERE Marked=True;"));
    EXPECT_EQ(form->Query1.sql(),
              std::vector<std::string>{"SELECT * FROM Vokabel WHERE Marked=True;"});
}

TEST_F(SelectionPageTest, AnOpenedSelectionIsShownOnBothPagesAndTheStatusBar) {
    startWith(LessonWords());
    EXPECT_EQ(state().SelectionCount, 5);  // the marked words
    EXPECT_EQ(panel(2), QStringLiteral("5 Vokabeln ausgewählt"));
    EXPECT_EQ(panel(3), QStringLiteral("0 Richtig und 0 Falsch"));
    EXPECT_EQ(page().Label30->text(), QStringLiteral("0/5"));
    EXPECT_TRUE(page().Button2->isEnabled());

    selection().Button9->click();  // "Alle"
    EXPECT_EQ(form->Query1.sql(), std::vector<std::string>{"SELECT * FROM Vokabel;"});
    EXPECT_EQ(panel(2), QStringLiteral("6 Vokabeln ausgewählt"));
    EXPECT_EQ(page().Label30->text(), QStringLiteral("0/6"));
}

TEST_F(SelectionPageTest, CriteriaRunTheBuiltStatement) {
    startWith(LessonWords());
    SelectionPage& s = selection();
    s.QCtype->click();
    s.QCLesson->click();
    s.QELesson->setValue(1);
    s.QEtype->setCurrentIndex(0);
    s.Button8->click();
    const SelectionCriteria c = s.criteria();
    EXPECT_TRUE(c.QCLesson && c.QCtype);
    EXPECT_FALSE(c.QCAge || c.QCAsked || c.QCRatio);
    EXPECT_EQ(c.lesson, 1);
    EXPECT_EQ(c.typeText, "Meishi");
    EXPECT_EQ(state().SelectionSql, BuildSelectionSql(c));
    EXPECT_EQ(form->Query1.sql(), std::vector<std::string>{state().SelectionSql});
    EXPECT_EQ(panel(2), QStringLiteral("4 Vokabeln ausgewählt"));  // marked or not
    EXPECT_TRUE(dialogs.messages.isEmpty());

    s.QELesson->setValue(99);
    s.Button8->click();
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Keine Vokabel mit diesen Eigenschaften gefunden.")});
    EXPECT_EQ(page().Label30->text(), QStringLiteral("Keine Vokabel ausgewählt"));
    EXPECT_EQ(panel(2), QStringLiteral("Keine Vokabel ausgewählt"));
    EXPECT_FALSE(page().Button2->isEnabled());
}

TEST_F(SelectionPageTest, ValidRatioSelectsAndEmptyRatioFailsToTheErrorReport) {
    startWith(LessonWords());
    SelectionPage& s = selection();
    s.QCRatio->click();
    s.QERatio->setText(QStringLiteral("0.250"));
    s.Button8->click();
    EXPECT_EQ(s.criteria().ratioText, "0.250");
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Keine Vokabel mit diesen Eigenschaften gefunden.")});

    // The empty mask's blanks go into the statement, which the engine refuses.
    dialogs.messages.clear();
    s.QERatio->clear();
    s.Button8->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    EXPECT_FALSE(form->Query1.active());
}

TEST_F(SelectionPageTest, OwnSqlKeepsOptionsAndReportsSqlFehler) {
    startWith(LessonWords());
    SelectionPage& s = selection();
    s.RandomCheckBox->click();
    s.CheckBox5->click();
    s.Memo1->setPlainText(QStringLiteral("SELECT * FROM Vokabel\nWHERE Lesson = 1;\n"));
    const std::string before = state().SelectionSql;
    s.Button4->click();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(form->Query1.sql(),
              (std::vector<std::string>{"SELECT * FROM Vokabel", "WHERE Lesson = 1;"}));
    EXPECT_EQ(state().SelectionCount, 4);
    EXPECT_EQ(state().AskQueue.text(), "0001000200030004");  // table order still applies
    EXPECT_EQ(state().SelectionSql, before);

    s.Memo1->setPlainText(QStringLiteral("SELECT * FROM Nirgends;"));
    s.Button4->click();
    // The lead the learner knows, then what went wrong.
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("SQL Fehler: Die SQL-Anweisung ist fehlerhaft")))
        << dialogs.texts()[0].toStdString();
    EXPECT_TRUE(dialogs.texts()[0].contains(QStringLiteral("Nirgends")));
    EXPECT_FALSE(form->Query1.active());
}

}  // namespace
}  // namespace morvanta::quiz

namespace morvanta::quiz {
namespace {

TEST_F(SelectionPageTest, OwnStatementsThatChangeWordsAreAskedReportedOrRefused) {
    startWith(LessonWords());
    SelectionPage& s = selection();
    s.CheckBox5->click();
    const auto run = [&](const char* sql) {
        dialogs.messages.clear();
        s.Memo1->setPlainText(QString::fromUtf8(sql));
        s.Button4->click();
        return dialogs.texts();
    };
    const QStringList refused = run("DROP TABLE Vokabel;");
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0].contains(QStringLiteral("nichts verändert"))) << refused[0].toStdString();
    EXPECT_EQ(form->Table1.recordCount(), 6);
    EXPECT_TRUE(form->Query1.active());  // nothing ran, the quiz goes on

    dialogs.confirmAnswers = {false};
    EXPECT_EQ(run("DELETE FROM Vokabel WHERE Lesson = 1;"),
              (QStringList{QStringLiteral("0 Vokabeln werden geändert, 0 eingefügt, 4 gelöscht. Fortfahren?"),
                           QStringLiteral("Es wurde nichts verändert.")}));
    EXPECT_EQ(form->Table1.recordCount(), 6);

    dialogs.confirmAnswers = {true};
    const QString report = run("DELETE FROM Vokabel WHERE Lesson = 1;").last();
    EXPECT_TRUE(report.startsWith(QStringLiteral("SQL ausgeführt: 4 Vokabeln gelöscht. Die Vokabeln, wie sie "
                                                 "vorher waren, liegen in „")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("/Backup/Vokabel-vor-SQL-")));
    EXPECT_EQ(form->Table1.recordCount(), 2);
    EXPECT_EQ(panel(0), QStringLiteral("2 Vokabeln in der DB"));
    // The quiz goes on over the former selection, read again.
    EXPECT_TRUE(form->Query1.active());
    EXPECT_EQ(state().SelectionCount, form->Query1.recordCount());

    // Marking marked words changes nothing, and nothing is asked.
    EXPECT_EQ(run("UPDATE Vokabel SET Marked = True;"),
              QStringList{QStringLiteral("SQL ausgeführt: keine Vokabel verändert.")});
}

}  // namespace
}  // namespace morvanta::quiz
