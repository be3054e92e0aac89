// The group "XML Export" in the main window: export of the quiz selection,
// import into the entry page, and the options dialog. The document and its
// reading are the core's (tests/core/exchange/xml_*).
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/exchange/xml_word_source.h"
#include "entry/entry_page.h"
#include "exchange/export_page.h"
#include "exchange/xml_export_group.h"
#include "exchange/xml_form.h"
#include "platform/db_controls.h"
#include "platform/services.h"
#include "quiz/quiz_page.h"
#include "support/form_fixture.h"
#include "support/temp_table.h"
#include "support/xml_test_support.h"

namespace morvanta::exchange {
namespace {

// Answers the options dialog once it is shown modally: fills it, then OK or Abbrechen.
void AnswerXmlForm(std::function<void(TXMLForm&)> fill, bool ok, int tries = 50) {
    QTimer::singleShot(0, [fill, ok, tries] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<TXMLForm*>(w);
            if (!form || !form->isVisible()) continue;
            if (fill) fill(*form);
            (ok ? form->TntButton1 : form->TntButton2)->click();
            return;
        }
        if (tries > 0) AnswerXmlForm(fill, ok, tries - 1);
    });
}

class XmlGroupTest : public testing::FormFixture {
protected:
    XmlExportGroup& group() { return *form->exportPage->TntGroupBox1; }
    entry::EntryPage& entry() { return *form->entryPage; }
    // The main window without the start-up step's messages.
    app::TForm1& startForm() {
        app::TForm1& f = makeForm();
        dialogs.clear();
        return f;
    }
    QString path(const char* name) const { return dir.path() + QLatin1Char('/') + QLatin1String(name); }

    // All sixteen fields of every record, as text.
    std::vector<std::string> tableDump() {
        std::vector<std::string> rows;
        for (form->Table1.first(); !form->Table1.eof(); form->Table1.next()) {
            std::string row;
            for (const auto& f : store::VocabularyFields()) row += form->Table1.asString(f.name) + "|";
            rows.push_back(row);
        }
        form->Table1.first();
        return rows;
    }

    store::Record fullWord() {
        store::Record w = xmltest::Word("Schriftzeichen");
        w[1] = std::string("Kanji");
        w[2] = std::string("chinesisches Zeichen");
        w[3] = std::string("kanji (Schrift)");
        w[4] = text::PlainTextToRtf("漢字");
        w[5] = text::PlainTextToRtf("かんじ");
        w[6] = std::int64_t{-1};
        w[7] = std::string("Notiz & <mehr>");
        w[13] = std::string("Zähleinheitswort");
        w[15] = std::int64_t{7};
        return w;
    }
};

TEST_F(XmlGroupTest, GroupHasItsButtonsAndTheImportIsHidden) {
    makeForm();
    EXPECT_EQ(group().title(), QStringLiteral("XML Export"));
    EXPECT_EQ(group().objectName(), QStringLiteral("TntGroupBox1"));
    EXPECT_EQ(group().TntButton1->text(), QStringLiteral("XML Export"));
    EXPECT_EQ(group().TntButton2->text(), QStringLiteral("XML Import"));
    EXPECT_TRUE(group().TntButton2->isHidden());
    EXPECT_TRUE(group().TntMemo1->isHidden());
    EXPECT_EQ(group().exportLabel->text(), QStringLiteral("Ausgwählte Vokabeln exportieren"));
}

TEST_F(XmlGroupTest, ExportWritesTheSelectionAndRestoresBindingsAndQueryPosition) {
    test::InsertGeneratedWords(tablePath(), 9);  // words 0, 2, 4, 6, 8 are marked
    app::TForm1& f = startForm();
    ASSERT_EQ(f.Query1.recordCount(), 5);
    f.Query1.setRecNo(3);
    f.DataSource1.setDataSet(&f.Query2);

    bool boundToQuery1 = false;
    AnswerXmlForm(
        [&](TXMLForm& dialog) {
            dialog.desc->setPlainText(QStringLiteral("Meine Liste"));
            dialog.TntCheckBox1->setChecked(true);
        },
        true);
    dialogs.fileAnswers = {path("liste")};  // a bare name gets ".xml"
    const int token = f.DataSource1.subscribe(
        [&](store::DataEvent) { boundToQuery1 |= f.DataSource1.dataSet() == &f.Query1; });
    group().TntButton1->click();
    f.DataSource1.unsubscribe(token);

    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
    ASSERT_EQ(dialogs.askedDialogs.size(), 1);
    EXPECT_EQ(dialogs.askedDialogs[0].name, QStringLiteral("DialogXMLExport"));

    EXPECT_TRUE(boundToQuery1);
    EXPECT_EQ(f.DataSource1.dataSet(), &f.Table1);
    EXPECT_EQ(f.Query1.recNo(), 1);
    EXPECT_TRUE(group().TntMemo1->toPlainText().isEmpty());
    // Nothing else is left in the folder (no temporary file).
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("liste*")}, QDir::Files).size(), 1);
    // The core's document of the selection, with what the dialog was given.
    QBuffer core;
    core.open(QIODevice::WriteOnly);
    WriteWordList(f.Query1, {.description = QStringLiteral("Meine Liste"), .includeDates = true}, core);
    QFile written(path("liste.xml"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), core.data());
}

TEST_F(XmlGroupTest, FailedExportReportsTheErrorAfterRestoringAndWritesNothing) {
    test::InsertGeneratedWords(tablePath(), 4);
    app::TForm1& f = startForm();
    f.Query1.setRecNo(2);
    const QString target = path("fehlt/liste.xml");
    AnswerXmlForm(nullptr, true);
    dialogs.fileAnswers = {target};
    group().TntButton1->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("Cannot create file \"%1\". ").arg(target)))
        << dialogs.messages[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(f.DataSource1.dataSet(), &f.Table1);
    EXPECT_EQ(f.Query1.recNo(), 1);
    EXPECT_TRUE(group().TntMemo1->toPlainText().isEmpty());
}

// The quiz page's bound widgets as they show the current record.
QStringList QuizWidgetTexts(app::TForm1& f) {
    QStringList texts;
    for (auto* e : f.quizPage->findChildren<platform::DBEdit*>()) texts << e->text();
    for (auto* e : f.quizPage->findChildren<platform::DBRichEdit*>()) texts << e->toPlainText();
    return texts;
}

TEST_F(XmlGroupTest, WalksLeaveTheBoundWidgetsAloneAndRefreshThemOnceAtTheEnd) {
    test::InsertGeneratedWords(tablePath(), 9);
    app::TForm1& f = startForm();
    QStringList before;
    int changedMoves = 0, refreshes = 0;
    const int walkToken = f.Query1.subscribe([&](store::DataEvent event) {
        if (event == store::DataEvent::Scrolled) changedMoves += QuizWidgetTexts(f) != before;
    });
    const int quizToken = f.DataSource2.subscribe([&](store::DataEvent) { ++refreshes; });
    auto run = [&](const char* file, int cancelAt, const std::function<void()>& click) {
        f.Query1.setRecNo(3);
        before = QuizWidgetTexts(f);
        changedMoves = refreshes = 0;
        dialogs.cancelProgressAt = cancelAt;
        dialogs.fileAnswers = {path(file)};
        click();
        EXPECT_EQ(changedMoves, 0) << file;
        EXPECT_EQ(refreshes, 1) << file;
        EXPECT_EQ(f.Query1.recNo(), 1) << file;
        const QStringList shown = QuizWidgetTexts(f);
        f.Query1.refresh();  // reaches the widgets again, which already show the first record
        EXPECT_EQ(refreshes, 2) << file;
        EXPECT_EQ(shown, QuizWidgetTexts(f)) << file;
    };
    auto xmlExport = [&] { AnswerXmlForm(nullptr, true); group().TntButton1->click(); };
    run("ganz.xml", 0, xmlExport);
    run("halb.xml", 3, xmlExport);
    run("halb.rtf", 3, [&] { f.exportPage->Button12Click(); });
    run("fehlt/liste.xml", 0, xmlExport);
    f.Query1.unsubscribe(walkToken);
    f.DataSource2.unsubscribe(quizToken);

    EXPECT_TRUE(QFile::exists(path("ganz.xml")));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("halb*")}, QDir::Files).size(), 0);
    EXPECT_EQ(dialogs.messages.size(), 1);  // the file that cannot be created
}

TEST_F(XmlGroupTest, CancelledDialogsWriteNothingAndChangeNothing) {
    test::InsertGeneratedWords(tablePath(), 4);
    app::TForm1& f = startForm();
    f.Query1.setRecNo(2);
    f.DataSource1.setDataSet(&f.Query2);

    AnswerXmlForm(nullptr, false);
    dialogs.fileAnswers = {path("a.xml")};
    group().TntButton1->click();
    EXPECT_TRUE(dialogs.askedDialogs.isEmpty());

    AnswerXmlForm(nullptr, true);
    dialogs.fileAnswers = {std::nullopt};
    group().TntButton1->click();
    EXPECT_EQ(dialogs.askedDialogs.size(), 1);

    EXPECT_FALSE(QFile::exists(path("a.xml")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(f.DataSource1.dataSet(), &f.Query2);
    EXPECT_EQ(f.Query1.recNo(), 2);
    // No options dialog is left over.
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<TXMLForm*>(w), nullptr);
}

TEST_F(XmlGroupTest, RoundTripFillsEveryEntryWidgetAndNeverChangesTheTable) {
    app::TForm1& f = startForm();
    f.Table1.insertRecord(fullWord());
    f.Query1.close();
    f.Query1.open();
    ASSERT_EQ(f.Query1.recordCount(), 1);
    AnswerXmlForm(nullptr, true);
    dialogs.fileAnswers = {path("wort.xml")};
    group().TntButton1->click();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();

    const std::vector<std::string> before = tableDump();
    f.pageTabs->setCurrentWidget(f.TabSheet5);
    entry::EntryPage& page = entry();
    page.Accent->setValue(5);
    page.Lesson->setValue(2);
    dialogs.fileAnswers = {path("wort.xml")};
    group().TntButton2->click();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(dialogs.askedDialogs.last().name, QStringLiteral("DialogXMLOpen1"));

    EXPECT_EQ(page.KanjiEdit->text(), QString::fromUtf8("漢字"));
    EXPECT_EQ(page.HiraKataEdit->text(), QString::fromUtf8("かんじ"));
    // Taken from the file, not romanised from the reading.
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("kanji (Schrift)"));
    EXPECT_EQ(page.T1Edit->text(), QStringLiteral("Schriftzeichen"));
    EXPECT_EQ(page.T2Edit->text(), QStringLiteral("Kanji"));
    EXPECT_EQ(page.T3Edit->text(), QStringLiteral("chinesisches Zeichen"));
    EXPECT_EQ(page.Accent->value(), -1);
    EXPECT_EQ(page.Lesson->value(), 7);
    EXPECT_EQ(page.TypEdit->currentText(), QStringLiteral("Zähleinheitswort"));
    EXPECT_EQ(page.NoteEdit->text(), QStringLiteral("Notiz & <mehr>"));

    EXPECT_EQ(tableDump(), before);
    EXPECT_EQ(f.pageTabs->currentWidget(), f.TabSheet5);
    // The kana change is attached again.
    page.HiraKataEdit->setText(QString::fromUtf8("かな"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("kana"));

    // Storing the imported word is "Eintragen"'s affair; here it is a duplicate of the stored one.
    dialogs.fileAnswers = {path("wort.xml")};
    group().TntButton2->click();
    EXPECT_EQ(tableDump(), before);
}

TEST_F(XmlGroupTest, MalformedOrMissingFileShowsTheLoadErrorAndKeepsTheEntryPage) {
    app::TForm1& f = startForm();
    entry::EntryPage& page = entry();
    page.T1Edit->setText(QStringLiteral("bleibt"));
    page.HepburnEdit->setText(QStringLiteral("auch"));
    xmltest::WriteBytes(path("kaputt.xml").toStdString(),
                        "<?xml version=\"1.0\" ?>\r\n<lqw:wordlist>\r\n  <word><translation>x</word>\r\n");
    dialogs.fileAnswers = {path("kaputt.xml"), path("gibtsnicht.xml")};
    group().TntButton2->click();
    group().TntButton2->click();
    ASSERT_EQ(dialogs.messages.size(), 2);
    for (const auto& message : dialogs.messages)
        EXPECT_TRUE(message.text.startsWith(QStringLiteral("Error loading XML document.\rError number: ")))
            << message.text.toStdString();
    EXPECT_EQ(page.T1Edit->text(), QStringLiteral("bleibt"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("auch"));
    page.HiraKataEdit->setText(QString::fromUtf8("ねこ"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("neko"));
    EXPECT_EQ(f.Table1.recordCount(), 0);
}

TEST_F(XmlGroupTest, WordTypedExportedAndImportedIsStoredAgainUnchanged) {
    app::TForm1& f = startForm();
    entry::EntryPage& page = entry();
    f.pageTabs->setCurrentWidget(f.TabSheet2);
    // Japanese comes through the input method as committed text.
    page.KanjiEdit->insert(QString::fromUtf8("日本語"));
    page.HiraKataEdit->insert(QString::fromUtf8("にほんご"));
    QTest::keyClicks(page.T1Edit, QStringLiteral("Japanisch"));
    QTest::keyClicks(page.NoteEdit, QStringLiteral("Sprache & Schrift"));
    page.TypEdit->setCurrentIndex(0);
    page.Lesson->setValue(4);
    page.Button1->click();
    ASSERT_EQ(f.Table1.recordCount(), 1) << dialogs.texts().join(u'|').toStdString();
    const std::vector<std::string> stored = tableDump();

    f.pageTabs->setCurrentWidget(f.TabSheet5);
    AnswerXmlForm(nullptr, true);
    dialogs.fileAnswers = {path("meine")};
    group().TntButton1->click();
    ASSERT_TRUE(QFile::exists(path("meine.xml")));

    f.Table1.first();
    f.Table1.deleteRecord();
    ASSERT_EQ(f.Table1.recordCount(), 0);
    dialogs.fileAnswers = {path("meine.xml")};
    group().TntButton2->click();
    EXPECT_EQ(f.Table1.recordCount(), 0);
    page.Button1->click();
    ASSERT_EQ(f.Table1.recordCount(), 1) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(tableDump(), stored);  // all sixteen fields
}

TEST(XmlForm, OptionsDialogAsItOpens) {
    TXMLForm dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("XML Export"));
    EXPECT_EQ(dialog.size(), QSize(244, 277));
    EXPECT_EQ(dialog.minimumSize(), QSize(244, 234));
    const QString login = platform::LoginName();
    EXPECT_EQ(dialog.TntEdit1->text(), login.size() < 255 ? login : QString());
    EXPECT_EQ(dialog.TntCheckBox1->text(), QStringLiteral("Datumsangaben mit einbeziehen"));
    EXPECT_EQ(dialog.TntCheckBox2->text(), QStringLiteral("Statistiken einfügen"));
    EXPECT_FALSE(dialog.TntCheckBox1->isChecked());
    EXPECT_FALSE(dialog.TntCheckBox2->isChecked());
    EXPECT_EQ(dialog.TntButton1->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.TntButton2->text(), QStringLiteral("Abbrechen"));
    EXPECT_TRUE(dialog.TntButton1->isDefault());
    // Tab order: creator, dates, statistics, description, OK, Abbrechen.
    QWidget* expected[] = {dialog.TntEdit1, dialog.TntCheckBox1, dialog.TntCheckBox2,
                           dialog.desc,     dialog.TntButton1,   dialog.TntButton2};
    for (int i = 0; i + 1 < 6; ++i) {
        QWidget* next = expected[i]->nextInFocusChain();
        while (next != expected[i + 1] && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, expected[i + 1]) << i;
    }

    dialog.desc->setPlainText(QStringLiteral("a\nb"));
    dialog.TntCheckBox2->setChecked(true);
    const XmlExportOptions options = dialog.options();
    EXPECT_EQ(options.description, QStringLiteral("a\nb"));
    EXPECT_FALSE(options.includeDates);
    EXPECT_TRUE(options.includeStatistics);

    dialog.TntButton2->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.TntButton1->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace morvanta::exchange
