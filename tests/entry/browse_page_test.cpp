// The page "Suche / Ändern" in the whole main window, offscreen, on a real table.

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "entry/browse_page.h"
#include "platform/db_controls.h"
#include "support/form_fixture.h"

namespace morvanta {
namespace {

using platform::DBNavigator;
using store::DataSetState;

struct Word {
    std::string t1, t2, t3, hepburn;
    std::int64_t lesson;
    std::string type, note;
    std::int64_t asked, wrong;
};

store::Record ToRecord(const Word& w) {
    const store::DateTime date{2023, 5, 4, 12, 0, 0, 0};
    return {w.t1, w.t2, w.t3, w.hepburn, std::string("{\\rtf1 k}"), std::string("{\\rtf1 h}"),
            std::int64_t{0}, w.note, date, date, w.asked, w.wrong, true, w.type, false, w.lesson};
}

// In key order (Translation1 first): Baum, essen, Haus, Hausaufgabe, Zitat.
const Word kWords[] = {
    {"Haus", "Gebäude", "", "ie", 1, "Meishi", "wichtig", 3, 1},
    {"Hausaufgabe", "", "", "shukudai", 2, "Meishi", "", 0, 0},
    {"Baum", "", "Holz", "ki", 12, "Meishi", "Note", 4, 3},
    {"Zitat", "Er sagte \"ja\"", "", "in'you", 3, "Sonstiges", "50%", 2, 2},
    {"essen", "", "", "taberu", 12, "Verb-Vok", "Bemerkung", 2, 1},
};

void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

void LeaveFocus(QWidget* widget) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &out);
}

class BrowsePageTest : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        app::TForm1& f = makeForm();
        for (const Word& w : kWords) f.Table1.insertRecord(ToRecord(w));
        f.Table1.first();
        f.show();
        page = f.browsePage;
        dialogs.clear();
    }

    // Chooses the field, types the text and presses "Suchen"; returns the hits.
    int search(const QString& entry, const QString& text) {
        page->ComboBox1->setCurrentText(entry);
        page->Edit2->setText(text);
        page->Button7->click();
        return form->Query2.active() ? form->Query2.recordCount() : -1;
    }

    QString panel0() const { return form->StatusBar1->panelText(0); }
    store::DataSet* shown() const { return form->DataSource1.dataSet(); }

    entry::BrowsePage* page = nullptr;
};

TEST_F(BrowsePageTest, StartsOnTheWholeTable) {
    EXPECT_EQ(shown(), &form->Table1);
    EXPECT_FALSE(page->Button6->isEnabled());
    EXPECT_EQ(page->Button6->text(), QStringLiteral("Alle Anzeigen"));
    EXPECT_EQ(page->Button7->text(), QStringLiteral("Suchen"));
    EXPECT_EQ(page->ComboBox1->currentText(), QStringLiteral("Translation"));
    EXPECT_EQ(page->ComboBox1->count(), 5);
    EXPECT_EQ(page->Edit2->placeholderText(), QStringLiteral("Wildcard Suche mit *  oder %"));
    EXPECT_EQ(page->Edit2->toolTip(), QStringLiteral("Wildcard Suche mit *  oder %"));
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Baum"));
    EXPECT_EQ(page->DBEdit17->text(), QStringLiteral("Holz"));
    EXPECT_EQ(page->DBRichEdit9->toPlainText(), QStringLiteral("ki"));
    EXPECT_EQ(page->DBEdit2->text(), QStringLiteral("12"));
    EXPECT_EQ(page->DBEdit1->text(), QStringLiteral("04.05.2023 12:00:00"));
    EXPECT_TRUE(page->DBCheckBox1->isChecked());
    EXPECT_FALSE(page->DBCheckBox2->isChecked());
    EXPECT_EQ(page->Edit6->text(), QStringLiteral("0,75"));
    EXPECT_EQ(page->DBRichEdit9->font().pixelSize(), 24);
}

TEST_F(BrowsePageTest, EachSearchFieldFindsItsRecords) {
    EXPECT_EQ(search(QStringLiteral("Translation"), QStringLiteral("Haus*")), 2);
    EXPECT_EQ(page->Edit2->text(), QStringLiteral("Haus%"));  // the rewrite is shown
    EXPECT_EQ(form->Query2.sqlText(),
              "SELECT * FROM Vokabel WHERE Translation1 LIKE \"Haus%\" OR Translation2 LIKE "
              "\"Haus%\" OR Translation3 LIKE \"Haus%\";");
    EXPECT_EQ(shown(), &form->Query2);
    EXPECT_TRUE(page->Button6->isEnabled());
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Haus"));

    EXPECT_EQ(search(QStringLiteral("Translation"), QStringLiteral("*olz")), 1);  // third translation
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Baum"));
    EXPECT_EQ(search(QStringLiteral("Translation"), QStringLiteral("Gebäude")), 1);
    EXPECT_EQ(search(QStringLiteral("Hepburn"), QStringLiteral("*u*")), 3);
    EXPECT_EQ(search(QStringLiteral("Lektion"), QStringLiteral("12")), 2);
    EXPECT_EQ(search(QStringLiteral("Typ"), QStringLiteral("Meishi")), 3);
    EXPECT_EQ(search(QStringLiteral("Beschreibung"), QStringLiteral("Bemerkung")), 1);
    EXPECT_EQ(page->DBRichEdit9->toPlainText(), QStringLiteral("taberu"));

    // Equality searches: the rewritten "%" is an ordinary character there.
    EXPECT_EQ(search(QStringLiteral("Beschreibung"), QStringLiteral("5*")), 0);
    EXPECT_EQ(page->Edit2->text(), QStringLiteral("5%"));
    EXPECT_EQ(search(QStringLiteral("Beschreibung"), QStringLiteral("50%")), 1);
    EXPECT_EQ(search(QStringLiteral("Typ"), QStringLiteral("Mei*")), 0);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
}

TEST_F(BrowsePageTest, SearchWithoutResultShowsEmptyWidgetsQuietly) {
    EXPECT_EQ(search(QStringLiteral("Translation"), QStringLiteral("xyz")), 0);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(page->DBEdit15->text(), QString());
    EXPECT_EQ(page->DBRichEdit9->toPlainText(), QString());
    EXPECT_EQ(page->Edit6->text(), QString());
    EXPECT_FALSE(page->DBCheckBox1->isChecked());
    EXPECT_FALSE(page->DBNavigator1->button(DBNavigator::Delete)->isEnabled());

    page->ComboBox1->setCurrentIndex(-1);  // no entry chosen: everything
    page->Button7->click();
    EXPECT_EQ(form->Query2.sqlText(), "SELECT * FROM Vokabel;");
    EXPECT_EQ(form->Query2.recordCount(), 5);
}

TEST_F(BrowsePageTest, QuotesAndFieldNamesInTheSearchTextAreSearchedForExactly) {
    EXPECT_EQ(search(QStringLiteral("Translation"), QStringLiteral("Er sagte \"ja\"")), 1);
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Zitat"));
    EXPECT_EQ(search(QStringLiteral("Translation"), QStringLiteral("*\"*")), 1);
    EXPECT_EQ(search(QStringLiteral("Translation"), QStringLiteral("\"")), 0);
    EXPECT_EQ(search(QStringLiteral("Hepburn"), QStringLiteral("in'you")), 1);
    // "Note" is a field's name, yet the text is meant: only the record whose note reads "Note".
    EXPECT_EQ(search(QStringLiteral("Beschreibung"), QStringLiteral("Note")), 1);
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Baum"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
}

TEST_F(BrowsePageTest, FailingSearchLeavesEmptyWidgetsUntilShowAll) {
    // The engine reads a statement only up to a NUL character: the literal stays open.
    EXPECT_EQ(search(QStringLiteral("Translation"), QStringLiteral("a") + QChar(0) + QStringLiteral("b")), -1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    EXPECT_EQ(shown(), &form->Query2);
    EXPECT_FALSE(form->Query2.active());
    EXPECT_TRUE(page->Button6->isEnabled());
    EXPECT_EQ(page->DBEdit15->text(), QString());
    EXPECT_EQ(page->Edit6->text(), QString());

    form->Table1.last();
    page->Button6->click();
    EXPECT_EQ(shown(), &form->Table1);
    EXPECT_FALSE(page->Button6->isEnabled());
    EXPECT_FALSE(form->Query2.active());
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Zitat"));
    EXPECT_EQ(page->Edit6->text(), QStringLiteral("1"));
}

TEST_F(BrowsePageTest, EditThroughSearchResultIsStoredWithoutCommitAndCount) {
    ASSERT_EQ(search(QStringLiteral("Translation"), QStringLiteral("Haus")), 1);
    form->StatusBar1->setPanelText(0, QStringLiteral("unverändert"));
    page->DBEdit7->selectAll();
    Type(page->DBEdit7, QStringLiteral("neu"));
    EXPECT_EQ(form->Query2.state(), DataSetState::Edit);
    page->DBNavigator1->click(DBNavigator::Post);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(panel0(), QStringLiteral("unverändert"));

    page->Button6->click();
    form->Table1.setRecNo(3);  // Haus
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Haus"));
    EXPECT_EQ(page->DBEdit7->text(), QStringLiteral("neu"));
    EXPECT_EQ(form->Table1.asString("Note"), "neu");

    // While the whole table is shown, starting an edit saves and counts.
    Type(page->DBEdit7, QStringLiteral("!"));
    EXPECT_EQ(form->Table1.state(), DataSetState::Edit);
    EXPECT_EQ(panel0(), QStringLiteral("5 Vokabeln in der DB"));
    page->DBNavigator1->click(DBNavigator::Next);
    EXPECT_EQ(form->Table1.state(), DataSetState::Browse);
}

TEST_F(BrowsePageTest, PendingEditIsPostedBeforeTheSearchRuns) {
    Type(page->DBEdit16, QStringLiteral("Stamm"));  // Baum, not yet posted
    EXPECT_EQ(search(QStringLiteral("Translation"), QStringLiteral("Stamm")), 1);
    EXPECT_EQ(form->Table1.state(), DataSetState::Browse);
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Baum"));

    // Edited again through the result, the table shows the latest text afterwards.
    page->DBEdit16->selectAll();
    Type(page->DBEdit16, QStringLiteral("Ast"));
    page->Button6->click();
    EXPECT_EQ(form->Query2.active(), false);
    EXPECT_EQ(page->DBEdit16->text(), QStringLiteral("Ast"));
}

TEST_F(BrowsePageTest, DeleteAsksAndCountsInPanel0) {
    dialogs.confirmAnswers = {false, true};
    page->DBNavigator1->click(DBNavigator::Delete);
    EXPECT_EQ(form->Table1.recordCount(), 5);
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Baum"));
    page->DBNavigator1->click(DBNavigator::Delete);
    EXPECT_EQ(form->Table1.recordCount(), 4);
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("essen"));
    EXPECT_EQ(panel0(), QStringLiteral("4 Vokabeln in der DB"));
    EXPECT_EQ(dialogs.texts(),
              QStringList({QStringLiteral("Delete record?"), QStringLiteral("Delete record?")}));
}

TEST_F(BrowsePageTest, RatioFollowsTheShownRecord) {
    const QString expected[] = {QStringLiteral("0,75"), QStringLiteral("0,5"),
                                QStringLiteral("0,333333333333333"), QString(),
                                QStringLiteral("1")};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(page->Edit6->text(), expected[i]);
        page->DBNavigator1->click(DBNavigator::Next);
    }
    // A search result shows its own record's ratio, wherever the table stands.
    form->Table1.first();
    ASSERT_EQ(search(QStringLiteral("Hepburn"), QStringLiteral("taberu")), 1);
    EXPECT_EQ(page->Edit6->text(), QStringLiteral("0,5"));

    // Counters typed into the record change the ratio once written.
    page->DBEdit4->selectAll();
    Type(page->DBEdit4, QStringLiteral("3"));
    LeaveFocus(page->DBEdit4);
    EXPECT_EQ(page->Edit6->text(), QStringLiteral("0,333333333333333"));
    page->DBEdit4->selectAll();
    Type(page->DBEdit4, QStringLiteral("0"));
    LeaveFocus(page->DBEdit4);
    EXPECT_EQ(page->Edit6->text(), QString());
    page->DBNavigator1->click(DBNavigator::Cancel);
    EXPECT_EQ(page->Edit6->text(), QStringLiteral("0,5"));
}

TEST_F(BrowsePageTest, AnInvalidValueIsReportedOnce) {
    // "abc" in "Wie oft abgefragt", then ✔: the post reports it; the focus the
    // message box takes from the field must not report it again.
    page->DBEdit4->selectAll();
    Type(page->DBEdit4, QStringLiteral("abc"));
    page->DBNavigator1->click(DBNavigator::Post);
    LeaveFocus(page->DBEdit4);
    ASSERT_EQ(dialogs.messages.size(), 1) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    // A second ✔ is a second report; a corrected value posts.
    page->DBNavigator1->click(DBNavigator::Post);
    EXPECT_EQ(dialogs.messages.size(), 2);
    page->DBEdit4->selectAll();
    Type(page->DBEdit4, QStringLiteral("5"));
    page->DBNavigator1->click(DBNavigator::Post);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(form->Table1.asString("NumberAsked"), "5");
    EXPECT_EQ(page->DBNavigator1->findChild<QPushButton*>(QStringLiteral("Post"))->toolTip(),
              QStringLiteral("Änderung speichern"));
}

TEST_F(BrowsePageTest, EnterInTheSearchEditSearches) {
    page->Edit2->setText(QStringLiteral("Zi*"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(page->Edit2, &enter);
    EXPECT_EQ(shown(), &form->Query2);
    EXPECT_EQ(form->Query2.recordCount(), 1);
    EXPECT_EQ(page->DBEdit15->text(), QStringLiteral("Zitat"));
}

TEST_F(BrowsePageTest, ColumnsAndStretchingFollowTheWindow) {
    form->resize(586, 520);
    QApplication::processEvents();
    EXPECT_EQ(page->DBEdit15->geometry(), QRect(12, 176, 177, 21));
    EXPECT_EQ(page->DBEdit16->geometry(), QRect(197, 176, 177, 21));
    EXPECT_EQ(page->DBRichEdit9->geometry(), QRect(382, 96, 177, 57));
    EXPECT_EQ(page->Edit6->x(), 382);
    EXPECT_EQ(page->DBCheckBox2->pos(), QPoint(382, 328));
    EXPECT_EQ(page->DBEdit7->width(), 545);
    const int narrowEdit = page->Edit2->width();
    const int narrowButton = page->Button7->x();

    form->resize(812, 520);
    QApplication::processEvents();
    EXPECT_EQ(page->DBEdit4->geometry(), QRect(12, 368, 252, 21));
    EXPECT_EQ(page->DBEdit5->geometry(), QRect(272, 368, 252, 21));
    EXPECT_EQ(page->DBEdit14->geometry(), QRect(532, 224, 252, 21));
    EXPECT_EQ(page->DBEdit7->width(), 545 + 3 * 75);
    EXPECT_EQ(page->Button7->x() - narrowButton, 812 - 586);
    EXPECT_EQ(page->Edit2->width() - narrowEdit, 812 - 586);
    EXPECT_EQ(page->Button7->x() + page->Button7->width(), page->width() - 8);
}

TEST_F(BrowsePageTest, TabOrderFollowsTheForm) {
    const QList<QWidget*> order = {
        page->DBRichEdit12, page->DBRichEdit11, page->DBRichEdit9, page->DBEdit15,
        page->DBEdit16,     page->DBEdit17,     page->DBEdit2,     page->DBEdit6,
        page->DBEdit14,     page->DBEdit7,      page->DBEdit1,     page->DBEdit3,
        page->DBCheckBox1,  page->DBCheckBox2,  page->DBEdit4,     page->DBEdit5,
        page->Edit6,        page->Button6,      page->ComboBox1,   page->Edit2,
        page->Button7};
    QWidget* w = page->DBRichEdit12;
    for (int i = 1; i < order.size(); ++i) {
        do {
            w = w->nextInFocusChain();
        } while (!order.contains(w));
        EXPECT_EQ(w, order[i]) << i;
    }
}

}  // namespace
}  // namespace morvanta
