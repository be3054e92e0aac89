// The data-aware controls on a real table: typing, posting, refusals, the navigator.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include "platform/db_controls.h"
#include "platform/dialogs.h"
#include "store/data_set.h"
#include "support/temp_table.h"

namespace morvanta::platform {
namespace {

using store::DataSetState;

store::Record Word(std::string t1, std::string hepburn, std::string date = "") {
    store::Record r = test::GeneratedWord(1);
    r[0] = std::move(t1);
    r[1] = std::string();
    r[2] = std::string();
    r[3] = std::move(hepburn);
    if (!date.empty()) r[8] = *store::DateTime::fromGermanText(date);
    return r;
}

// Types like a user: key presses with text, delivered to the widget.
void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

void SelectAllAndType(QWidget* widget, const QString& text) {
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(widget, &selectAll);
    Type(widget, text);
}

void LeaveFocus(QWidget* widget) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &out);
}

class DbControls : public ::testing::Test {
protected:
    void SetUp() override {
        table.open();
        table.insertRecord(Word("Apfel", "ringo", "01.02.2020"));
        table.insertRecord(Word("Baum", "ki", "02.02.2020"));
        table.insertRecord(Word("Haus", "ie", "03.02.2020"));
        table.first();
        source.setDataSet(&table);
    }
    void TearDown() override { source.setDataSet(nullptr); }

    // A field of the stored record with this Hepburn, read through another data set.
    std::string stored(const std::string& hepburn, const char* field) {
        store::Query reader(temp->session(), "Vokabel");
        reader.setSql({"SELECT * FROM Vokabel WHERE Hepburn = \"" + hepburn + "\";"});
        reader.open();
        EXPECT_EQ(reader.recordCount(), 1) << hepburn;
        return reader.asString(field);
    }

    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    store::Table table{temp->session(), "Vokabel", "Vokabel.DB"};
    store::DataSource source;
    ScriptedDialogs dialogs;
};

TEST_F(DbControls, TypingEntersEditStateAndMovingPostsTheText) {
    DBEdit t1(source, QStringLiteral("Translation1"), dialogs);
    DBEdit hepburn(source, QStringLiteral("Hepburn"), dialogs);
    DBNavigator nav(source, dialogs);
    EXPECT_EQ(t1.text(), QStringLiteral("Apfel"));
    EXPECT_EQ(table.state(), DataSetState::Browse);
    EXPECT_FALSE(nav.button(DBNavigator::Post)->isEnabled());

    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(&t1, &end);
    Type(&t1, QStringLiteral("kern"));
    EXPECT_EQ(table.state(), DataSetState::Edit);
    EXPECT_EQ(t1.text(), QStringLiteral("Apfelkern"));  // entering edit state kept the keystroke
    EXPECT_EQ(hepburn.text(), QStringLiteral("ringo"));
    EXPECT_TRUE(nav.button(DBNavigator::Post)->isEnabled());
    EXPECT_TRUE(nav.button(DBNavigator::Cancel)->isEnabled());

    nav.click(DBNavigator::Next);  // posts without the control losing focus first
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(table.state(), DataSetState::Browse);
    EXPECT_EQ(t1.text(), QStringLiteral("Baum"));
    EXPECT_EQ(t1.cursorPosition(), 0);  // a long text would show its start
    EXPECT_EQ(stored("ringo", "Translation1"), "Apfelkern");

    // A programmatic reload is no user edit.
    nav.click(DBNavigator::Last);
    EXPECT_EQ(t1.text(), QStringLiteral("Haus"));
    EXPECT_EQ(table.state(), DataSetState::Browse);
    EXPECT_FALSE(nav.button(DBNavigator::Next)->isEnabled());
    EXPECT_TRUE(nav.button(DBNavigator::First)->isEnabled());
}

TEST_F(DbControls, FocusLossWritesIntoTheRecordAndCancelRestores) {
    DBEdit t1(source, QStringLiteral("Translation1"), dialogs);
    DBNavigator nav(source, dialogs);
    SelectAllAndType(&t1, QStringLiteral("Birne"));
    LeaveFocus(&t1);
    EXPECT_EQ(table.asString("Translation1"), "Birne");  // in the edit buffer
    EXPECT_EQ(stored("ringo", "Translation1"), "Apfel");        // not yet stored

    nav.click(DBNavigator::Cancel);
    EXPECT_EQ(table.state(), DataSetState::Browse);
    EXPECT_EQ(t1.text(), QStringLiteral("Apfel"));

    SelectAllAndType(&t1, QStringLiteral("Birne"));
    nav.click(DBNavigator::Post);
    EXPECT_EQ(stored("ringo", "Translation1"), "Birne");
    EXPECT_EQ(t1.text(), QStringLiteral("Birne"));
}

TEST_F(DbControls, NavigatorButtonsActOnTheFirstClickWhileAFieldHoldsAnInvalidValue) {
    QWidget window;
    auto* asked = new DBEdit(source, QStringLiteral("NumberAsked"), dialogs, &window);
    auto* nav = new DBNavigator(source, dialogs, &window);
    nav->setGeometry(0, 40, 240, 25);
    window.show();
    QApplication::setActiveWindow(&window);
    asked->setFocus();
    const QString before = asked->text();

    SelectAllAndType(asked, QStringLiteral("abc"));
    QTest::mouseClick(nav->button(DBNavigator::Cancel), Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(table.state(), DataSetState::Browse);
    EXPECT_EQ(asked->text(), before);
    EXPECT_TRUE(asked->hasFocus());

    SelectAllAndType(asked, QStringLiteral("abc"));
    dialogs.confirmAnswers = {true};
    QTest::mouseClick(nav->button(DBNavigator::Delete), Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(table.recordCount(), 2);
}

TEST_F(DbControls, RefusedPostKeepsEditStateAndTheTypedText) {
    DBEdit t1(source, QStringLiteral("Translation1"), dialogs);
    DBEdit hepburn(source, QStringLiteral("Hepburn"), dialogs);
    DBNavigator nav(source, dialogs);
    // Record 1 becomes a duplicate of record 2 (Hepburn and the three translations).
    SelectAllAndType(&t1, QStringLiteral("Baum"));
    SelectAllAndType(&hepburn, QStringLiteral("ki"));

    nav.click(DBNavigator::Post);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, ScriptedDialogs::Message::Error);
    EXPECT_EQ(table.state(), DataSetState::Edit);
    EXPECT_EQ(t1.text(), QStringLiteral("Baum"));
    EXPECT_EQ(hepburn.text(), QStringLiteral("ki"));

    nav.click(DBNavigator::Next);  // moving tries to post again and stays
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(table.recNo(), 1);
    EXPECT_EQ(table.state(), DataSetState::Edit);
    EXPECT_EQ(t1.text(), QStringLiteral("Baum"));

    // Mended, the same record posts.
    SelectAllAndType(&hepburn, QStringLiteral("ki2"));
    nav.click(DBNavigator::Post);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(table.state(), DataSetState::Browse);
    EXPECT_EQ(stored("ki2", "Translation1"), "Baum");
}

TEST_F(DbControls, TextThatDoesNotReadAsDateIsReportedAndKept) {
    DBEdit date(source, QStringLiteral("DateEntered"), dialogs);
    DBNavigator nav(source, dialogs);
    EXPECT_EQ(date.text(), QStringLiteral("01.02.2020"));

    SelectAllAndType(&date, QStringLiteral("31.02.2020x"));
    LeaveFocus(&date);
    EXPECT_EQ(dialogs.messages.size(), 1);
    nav.click(DBNavigator::Post);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(table.state(), DataSetState::Edit);
    EXPECT_EQ(date.text(), QStringLiteral("31.02.2020x"));
    EXPECT_EQ(stored("ringo", "DateEntered"), "01.02.2020");

    SelectAllAndType(&date, QStringLiteral("05.06.2021"));
    nav.click(DBNavigator::Post);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(stored("ringo", "DateEntered"), "05.06.2021");
}

TEST_F(DbControls, CheckBoxStoresTrueAndFalse) {
    DBCheckBox marked(source, QStringLiteral("Marked"), dialogs, QStringLiteral("Markiert"));
    DBCheckBox printed(source, QStringLiteral("CardPrinted"), dialogs, QStringLiteral("Karte"));
    DBNavigator nav(source, dialogs);
    EXPECT_FALSE(printed.isChecked());
    const bool wasMarked = marked.isChecked();

    printed.click();
    marked.click();
    EXPECT_EQ(table.state(), DataSetState::Edit);
    EXPECT_EQ(table.asString("CardPrinted"), "True");
    nav.click(DBNavigator::Next);
    EXPECT_EQ(stored("ringo", "CardPrinted"), "True");
    EXPECT_EQ(stored("ringo", "Marked"), wasMarked ? "False" : "True");
    EXPECT_FALSE(printed.isChecked());  // record 2 shown

    nav.click(DBNavigator::First);
    EXPECT_TRUE(printed.isChecked());
    printed.click();
    nav.click(DBNavigator::Post);
    EXPECT_EQ(stored("ringo", "CardPrinted"), "False");
}

TEST_F(DbControls, RichEditShowsTextAndSavesShiftJisRtf) {
    DBRichEdit kanji(source, QStringLiteral("Kanji"), dialogs);
    DBMemo hepburn(source, QStringLiteral("Hepburn"), dialogs);
    DBNavigator nav(source, dialogs);
    EXPECT_EQ(hepburn.toPlainText(), QStringLiteral("ringo"));
    EXPECT_FALSE(kanji.toPlainText().isEmpty());
    EXPECT_EQ(table.state(), DataSetState::Browse);  // loading is no edit

    kanji.selectAll();
    Type(&kanji, QStringLiteral("あ木"));
    EXPECT_EQ(table.state(), DataSetState::Edit);
    nav.click(DBNavigator::Post);
    const std::string rtf = stored("ringo", "Kanji");
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u) << rtf;
    EXPECT_NE(rtf.find("\\'82\\'a0"), std::string::npos) << rtf;  // あ in Shift-JIS
    EXPECT_EQ(kanji.toPlainText(), QStringLiteral("あ木"));

    kanji.setReadOnly(true);  // the quiz page's view
    Type(&kanji, QStringLiteral("x"));
    EXPECT_EQ(table.state(), DataSetState::Browse);
}

TEST_F(DbControls, DeleteAsksFirstAndCancelKeepsTheRecord) {
    DBEdit t1(source, QStringLiteral("Translation1"), dialogs);
    DBNavigator nav(source, dialogs);
    dialogs.confirmAnswers = {false, true};
    nav.click(DBNavigator::Delete);
    EXPECT_EQ(table.recordCount(), 3);
    EXPECT_EQ(t1.text(), QStringLiteral("Apfel"));
    nav.click(DBNavigator::Delete);
    EXPECT_EQ(table.recordCount(), 2);
    EXPECT_EQ(t1.text(), QStringLiteral("Baum"));
    EXPECT_EQ(dialogs.texts(),
              QStringList({QStringLiteral("Delete record?"), QStringLiteral("Delete record?")}));
}

TEST_F(DbControls, ReadOnlyResultRefusesTypingAndClosedSourceShowsNothing) {
    store::Query query(temp->session(), "Vokabel");
    query.setSql({"SELECT Translation1, Hepburn FROM Vokabel;"});
    query.open();
    source.setDataSet(&query);
    DBEdit t1(source, QStringLiteral("Translation1"), dialogs);
    DBNavigator nav(source, dialogs);
    EXPECT_EQ(t1.text(), QStringLiteral("Apfel"));
    EXPECT_FALSE(nav.button(DBNavigator::Delete)->isEnabled());

    Type(&t1, QStringLiteral("x"));
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(t1.text(), QStringLiteral("Apfel"));
    EXPECT_EQ(query.state(), DataSetState::Browse);

    query.close();
    EXPECT_EQ(t1.text(), QString());
    Type(&t1, QStringLiteral("y"));  // nothing to edit: ignored quietly
    EXPECT_EQ(t1.text(), QString());
    EXPECT_EQ(dialogs.messages.size(), 1);
    for (int b = DBNavigator::First; b <= DBNavigator::Refresh; ++b)
        EXPECT_FALSE(nav.button(static_cast<DBNavigator::Button>(b))->isEnabled()) << b;
    source.setDataSet(&table);
}

}  // namespace
}  // namespace morvanta::platform
