// The quiz page in the window: its displays, the answer's wiring to the session
// and what it shows of it. The answer check, the booking's rules and the queue's
// order are the core's (tests/core/quiz).
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "platform/db_controls.h"
#include "quiz/quiz_fixture.h"
#include "quiz/quiz_query.h"
#include "text/rich_text.h"

namespace morvanta::quiz {
namespace {

using testsupport::Word;
using Message = platform::ScriptedDialogs::Message;

class QuizPageTest : public testsupport::QuizFixture {
protected:
    // Five marked words of lesson 1, asked in table order.
    void startInOrder() {
        startWith({Word("Auge"), Word("Baum", "Gehölz"), Word("Dach"), Word("Ende"), Word("Fisch")});
        selection().RandomCheckBox->click();
        selection().Button9->click();
        dialogs.messages.clear();
    }
};

TEST_F(QuizPageTest, DisplaysAndTheirShowBoxes) {
    startInOrder();
    QuizPage& p = page();
    EXPECT_FALSE(p.DBRichEdit1->isHidden());
    EXPECT_FALSE(p.DBRichEdit2->isHidden());
    EXPECT_TRUE(p.DBRichEdit3->isHidden());
    EXPECT_TRUE(p.DBEdit8->isHidden());
    EXPECT_FALSE(p.DBEdit13->isEnabled());
    for (auto* hidden : {p.DBEdit9, p.DBEdit10, p.DBEdit11, p.DBEdit12}) EXPECT_TRUE(hidden->isHidden());
    p.CheckBox3->click();
    p.CheckBox1->click();
    EXPECT_FALSE(p.DBRichEdit3->isHidden());
    EXPECT_TRUE(p.DBRichEdit1->isHidden());
    EXPECT_EQ(p.DBEdit13->text(), QStringLiteral("Meishi"));
    // The choice outlives a new selection.
    selection().Button9->click();
    EXPECT_TRUE(p.DBRichEdit1->isHidden());
}

TEST_F(QuizPageTest, ColumnsFollowTheWindowWidth) {
    startInOrder();
    page().applyColumns(platform::ComputeColumns(812));
    QuizPage& p = page();
    EXPECT_EQ(p.Edit1->geometry(), QRect(12, 176, 252, 21));
    EXPECT_EQ(p.KanjiFrame->geometry(), QRect(12, 96, 252, 57));
    EXPECT_EQ(p.CheckBox1->geometry().right() + 1, 12 + 252);  // ends with its column
    EXPECT_EQ(p.KanaFrame->geometry().left(), 272);
    EXPECT_EQ(p.KanaLabel->x(), 272);
    EXPECT_EQ(p.CheckBox2->geometry().right() + 1, 272 + 252);
    EXPECT_EQ(p.TypeFrame->x(), 532);
    EXPECT_EQ(p.HepburnFrame->geometry(), QRect(532, 96, 252, 57));
    EXPECT_EQ(p.HepburnLabel->x(), 532);
}

TEST_F(QuizPageTest, AnswersAreBookedAndShownWithTheirMessages) {
    startInOrder();
    ASSERT_EQ(current("Translation1"), "Auge");
    answer(QStringLiteral("auge"));  // IgnoreCaps ticked on the selection page
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(stored("Auge", "DateAsked"), "15.03.2024 10:30:00");  // booked at the window's time
    EXPECT_EQ(page().Label30->text(), QStringLiteral("1/5"));
    EXPECT_EQ(page().Edit1->text(), QString());
    EXPECT_EQ(page().FeedbackLabel->text(), QStringLiteral("Richtig"));  // no box to close

    ASSERT_EQ(current("Translation1"), "Baum");
    answer(QStringLiteral(" Baum"));
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Nein - Die Übersetzung war :\r\nBaum\r\nGehölz\r\n"
                                         "\r\nIhre Eingabe: \u201E Baum\u201C")});
    EXPECT_EQ(panel(3), QStringLiteral("1 Richtig und 1 Falsch"));
    EXPECT_EQ(page().Label30->text(), QStringLiteral("1/5"));

    // Nothing typed: no line for the answer.
    dialogs.messages.clear();
    ASSERT_EQ(current("Translation1"), "Dach");
    answer(QString());
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("Nein - Die Übersetzung war :\r\nDach\r\n\r\n")});
    EXPECT_EQ(panel(3), QStringLiteral("1 Richtig und 2 Falsch"));
}

TEST_F(QuizPageTest, EnterAnswersFromEveryWidgetOfThePage) {
    startWith({Word("Auge"), Word("Baum"), Word("Dach"), Word("Ende"), Word("Fisch"), Word("Gabel"),
               Word("Haus"), Word("Insel"), Word("Jahr"), Word("Kind"), Word("Lampe")});
    QuizPage& p = page();
    for (QWidget* widget : std::initializer_list<QWidget*>{p.Edit1, p.CheckBox1, p.CheckBox2, p.CheckBox3, p.CheckBox4,
                                                           p.CheckBox9, p.DBRichEdit1, p.DBRichEdit2, p.Label30, &p}) {
        SCOPED_TRACE(widget->objectName().toStdString());
        const int done = state().DoneCount;
        p.Edit1->setText(QString::fromStdString(current("Translation1")));
        QTest::keyClick(widget, Qt::Key_Return);
        EXPECT_EQ(state().DoneCount, done + 1);  // answered once, not twice
    }
    p.Edit1->setText(QString::fromStdString(current("Translation1")));
    QTest::keyClick(p.CheckBox1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(state().DoneCount, 11);
}

// The options of the selection page reach the queue: unticked "Falsche Vokabel
// 2 x anzeigen", each wrong word comes back once; the end is announced.
TEST_F(QuizPageTest, FullQuizWithTwoWrongAnswersEndsWithTheMessage) {
    startWith({Word("Auge"), Word("Baum"), Word("Dach"), Word("Ende"), Word("Fisch"),
               Word("Gabel"), Word("Haus"), Word("Igel")});
    selection().RandomCheckBox->click();
    selection().DoubleWrongCheckBox->click();
    selection().QCLesson->click();
    selection().Button8->click();
    dialogs.messages.clear();

    std::vector<std::string> asked;
    int answers = 0;
    while (page().Button2->isEnabled() && answers < 50) {
        asked.push_back(current("Translation1"));
        const bool wrong = answers == 0 || answers == 2;  // Auge and Dach
        answerCurrent(!wrong);
        ++answers;
    }
    EXPECT_EQ(asked.size(), 10u);
    EXPECT_EQ(page().Label30->text(), QStringLiteral("8/8"));
    EXPECT_EQ(panel(3), QStringLiteral("8 Richtig und 2 Falsch"));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Alle ausgwählten Vokabeln wurden Abgefragt"));
    EXPECT_FALSE(page().Button2->isEnabled());
}

TEST_F(QuizPageTest, WithoutShowAgainAWrongWordCountsAsDone) {
    startInOrder();
    selection().WrongShowagainCheckBox->click();
    answerCurrent(false);
    EXPECT_EQ(page().Label30->text(), QStringLiteral("1/5"));
}

TEST_F(QuizPageTest, SelectionOfSomeFieldsIsRefusedAndTheQuizGoesOn) {
    startInOrder();
    const std::string queue = state().AskQueue.text();
    selection().CheckBox5->click();
    selection().Memo1->setPlainText(QStringLiteral("SELECT Translation1, Translation2, Translation3 "
                                                   "FROM Vokabel;"));
    selection().Button4->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Message::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("ganze Vokabeln")));
    EXPECT_EQ(state().SelectionCount, 5);
    EXPECT_EQ(state().AskQueue.text(), queue);
    dialogs.messages.clear();
    answerCurrent(true);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(state().RightCount, 1);
}

TEST_F(QuizPageTest, AnswerAfterFailedQueryRunShowsErrorAndChangesNothing) {
    startInOrder();
    selection().CheckBox5->click();
    selection().Memo1->setPlainText(QStringLiteral("SELEC nonsense"));
    selection().Button4->click();
    dialogs.messages.clear();
    const std::string queue = state().AskQueue.text();
    answer(QStringLiteral("Auge"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Message::Error);
    EXPECT_EQ(state().AskQueue.text(), queue);
    EXPECT_EQ(state().RightCount + state().WrongCount + state().DoneCount, 0);
    EXPECT_EQ(stored("Auge", "NumberAsked"), "0");
}

TEST_F(QuizPageTest, StoringANewWordStartsAFreshSession) {
    startInOrder();
    answerCurrent(true);
    ASSERT_EQ(state().DoneCount, 1);
    form->Table1.insertRecord(Word("Zebra"));
    RunQuizQuery(form->Query1, {"SELECT * FROM Vokabel WHERE Marked=True;"});
    EXPECT_EQ(page().Label30->text(), QStringLiteral("0/5"));  // Auge is no longer marked, Zebra is new
    EXPECT_EQ(panel(3), QStringLiteral("0 Richtig und 0 Falsch"));
}

// Asked German to Japanese: the translations stand where the Japanese word stood,
// romaji typed become kana, and the answer is booked in the history alone.
TEST_F(QuizPageTest, GermanToJapaneseTakesRomajiAndIsKeptForTheNextStart) {
    store::Record book = Word("Buch"), school = Word("Schule");
    book[5] = text::PlainTextToRtf("ほん");
    book[4] = text::PlainTextToRtf("本");
    school[5] = text::PlainTextToRtf("がっこう");
    school[4] = text::PlainTextToRtf("学校");
    startWith({book, school});
    selection().GermanToJapaneseButton->click();
    selection().RandomCheckBox->click();
    selection().Button9->click();
    QuizPage& p = page();
    EXPECT_TRUE(p.KanjiFrame->isHidden());
    EXPECT_FALSE(p.GermanFrame->isHidden());
    EXPECT_TRUE(p.GermanPromptLabel->text().contains(QStringLiteral("Buch"))) << p.GermanPromptLabel->text().toStdString();
    p.Edit1->setFocus();
    QTest::keyClicks(p.Edit1, QStringLiteral("hon"));
    EXPECT_EQ(p.Edit1->text(), QStringLiteral("ほn"));  // the n may still become な…
    QTest::keyClick(p.Edit1, Qt::Key_Return);
    EXPECT_EQ(p.FeedbackLabel->text(), QStringLiteral("Richtig"));
    EXPECT_EQ(stored("Buch", "NumberAsked"), "0");  // the counters are the other direction's
    EXPECT_TRUE(p.GermanPromptLabel->text().contains(QStringLiteral("Schule")));
    QTest::keyClicks(p.Edit1, QStringLiteral("gako"));
    QTest::keyClick(p.Edit1, Qt::Key_Return);
    EXPECT_EQ(dialogs.texts().value(0),
              QStringLiteral("Nein - Die Vokabel war :\r\n学校\r\nがっこう\r\nhepburn Schule\r\nIhre Eingabe: „がこ“"));

    makeForm();  // the direction is kept in the engine configuration
    EXPECT_TRUE(selection().GermanToJapaneseButton->isChecked());
    EXPECT_FALSE(page().GermanFrame->isHidden());
    selection().JapaneseToGermanButton->click();
    EXPECT_FALSE(page().KanjiFrame->isHidden());
    EXPECT_TRUE(page().GermanFrame->isHidden());
}

}  // namespace
}  // namespace morvanta::quiz

namespace morvanta::quiz {
namespace {

TEST_F(QuizPageTest, TolerantCheckingIsOffByDefaultAndKeptInTheConfiguration) {
    startWith({Word("Mädchen"), Word("Wasser")});
    EXPECT_FALSE(page().TolerantBox->isChecked());
    page().TolerantBox->click();
    makeForm();  // a restart reads the engine configuration again
    EXPECT_TRUE(page().TolerantBox->isChecked());
    page().Edit1->setText(QStringLiteral("maedchen"));
    if (current("Translation1") != "Mädchen") page().Edit1->setText(QStringLiteral("Wasse"));
    page().Button2->click();
    EXPECT_TRUE(page().FeedbackLabel->text().startsWith(QStringLiteral("Fast richtig: ")))
        << page().FeedbackLabel->text().toStdString();
}

}  // namespace
}  // namespace morvanta::quiz
