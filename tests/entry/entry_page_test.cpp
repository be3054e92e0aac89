#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include "entry/browse_page.h"
#include "entry/entry_page.h"
#include "entry/suggestion_list.h"
#include "platform/romaji_input.h"
#include "core/entry/kana_change.h"
#include "quiz/quiz_page.h"
#include "support/dictd_files.h"
#include "support/form_fixture.h"
#include "text/rich_text.h"

namespace morvanta {
namespace {

using EntryPageTest = testing::FormFixture;

const QString kDuplicate = QStringLiteral(
    "Es Existiert schon eine Vokabel mit der gleichen Kombination: Hepburn - Übersetzungen!");

TEST(KanaChange, RomanisesTheKanaDocumentAndNeverShowsRtf) {
    EXPECT_EQ(entry::HepburnFromKanaRtf(text::PlainTextToRtf("かな")), "kana");
    EXPECT_EQ(entry::HepburnFromKanaRtf(text::PlainTextToRtf("きって")), "kitte");
    EXPECT_EQ(entry::HepburnFromKanaRtf(text::PlainTextToRtf("シャツ")), "shatsu");
    EXPECT_EQ(entry::HepburnFromKanaRtf(text::PlainTextToRtf("")), "");
    EXPECT_EQ(entry::HepburnFromKanaRtf(text::PlainTextToRtf("abc")), "");
}

TEST(KanaChange, OnlyTheFirst32000CharactersOfTheDocumentCount) {
    // Each か is eight characters of escapes; the document is cut at 32000 characters.
    std::string kana;
    for (int i = 0; i < 5000; ++i) kana += "か";
    const std::string rtf = text::PlainTextToRtf(kana);
    ASSERT_GT(rtf.size(), 32000u);
    const std::string romaji = entry::HepburnFromKanaRtf(rtf);
    const std::string full = entry::HepburnFromKanaRtf(rtf.substr(0, 32000));
    EXPECT_EQ(romaji, full);
    EXPECT_LT(romaji.size(), 2u * 5000u);
    EXPECT_GT(romaji.size(), 2u * 3900u);
}

TEST_F(EntryPageTest, TypingKanaFillsHepburnAtEveryKeystroke) {
    app::TForm1& w = makeForm();
    entry::EntryPage& page = *w.entryPage;
    page.HiraKataEdit->setText(QStringLiteral("かな"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("kana"));
    page.HiraKataEdit->setText(QStringLiteral("きって"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("kitte"));

    page.HiraKataEdit->clear();
    EXPECT_EQ(page.HepburnEdit->text(), QString());
    // Typed keys carrying kana text, one keystroke at a time.
    auto typeKey = [&](const QString& kana) {
        QTest::sendKeyEvent(QTest::Click, page.HiraKataEdit, Qt::Key_unknown, kana, Qt::NoModifier);
    };
    typeKey(QStringLiteral("シ"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("shi"));
    typeKey(QStringLiteral("ャ"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("sha"));
    typeKey(QStringLiteral("ツ"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("shatsu"));
    QTest::keyClick(page.HiraKataEdit, Qt::Key_Backspace);
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("sha"));

    // An input method composes first and commits the kana.
    page.HiraKataEdit->clear();
    QInputMethodEvent preedit(QStringLiteral("きょう"), {});
    QCoreApplication::sendEvent(page.HiraKataEdit, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("きょう"));
    QCoreApplication::sendEvent(page.HiraKataEdit, &commit);
    EXPECT_EQ(page.HiraKataEdit->text(), QStringLiteral("きょう"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("kyou"));
}

TEST_F(EntryPageTest, EnterStoresAWordWithTheDefaults) {
    app::TForm1& w = makeForm();
    entry::EntryPage& page = *w.entryPage;
    w.show();
    w.pageTabs->setCurrentWidget(w.TabSheet2);
    page.Lesson->setValue(3);
    QTest::keyClicks(page.T1Edit, QStringLiteral("Hund"));
    QTest::keyClick(page.T1Edit, Qt::Key_Return);

    ASSERT_EQ(w.Table1.recordCount(), 1) << dialogs.texts().join(QLatin1Char('|')).toStdString();
    w.Table1.first();
    EXPECT_EQ(w.Table1.asString("Translation1"), "Hund");
    EXPECT_EQ(w.Table1.asString("Translation2"), "");
    EXPECT_EQ(w.Table1.asString("Hepburn"), "");
    EXPECT_EQ(w.Table1.asInteger("Accent"), 0);
    EXPECT_EQ(w.Table1.asInteger("Lesson"), 3);
    EXPECT_EQ(w.Table1.asString("Type"), "");
    EXPECT_EQ(w.Table1.asString("Marked"), "True");
    EXPECT_EQ(w.Table1.asString("CardPrinted"), "False");
    EXPECT_EQ(w.Table1.asInteger("NumberAsked"), 0);
    EXPECT_EQ(w.Table1.asInteger("NumberWrong"), 0);
    EXPECT_EQ(w.Table1.asDateTime("DateEntered"), clock.time);
    EXPECT_EQ(w.Table1.asDateTime("DateAsked"), clock.time);
    // Both Japanese fields are complete documents without text.
    const std::string kanji = w.Table1.asString("Kanji");
    EXPECT_EQ(kanji.rfind("{\\rtf", 0), 0u);
    EXPECT_EQ(text::RtfToPlainText(kanji), "");
    EXPECT_EQ(text::RtfToPlainText(w.Table1.asString("Hira-Kata")), "");

    // The page is empty again; lesson, accent and type stay for the next word.
    EXPECT_EQ(page.T1Edit->text(), QString());
    EXPECT_EQ(page.Lesson->value(), 3);
    EXPECT_EQ(w.focusWidget(), page.KanjiEdit);
    EXPECT_EQ(w.StatusBar1->panelText(0), QStringLiteral("0 Vokabeln in der DB"));
    EXPECT_TRUE(w.Query1.active());
    EXPECT_EQ(w.Query1.recordCount(), 1);
}

TEST_F(EntryPageTest, StoredJapaneseFieldsReadBackAsTyped) {
    app::TForm1& w = makeForm();
    entry::EntryPage& page = *w.entryPage;
    page.KanjiEdit->setText(QStringLiteral("日本語"));
    page.HiraKataEdit->setText(QStringLiteral("にほんご"));
    page.T1Edit->setText(QStringLiteral("Japanisch"));
    page.T2Edit->setText(QStringLiteral("Sprache Japans"));
    page.NoteEdit->setText(QStringLiteral("Übung ß"));
    page.Accent->setValue(-2);
    page.TypEdit->setCurrentIndex(9);
    page.Button1->click();

    ASSERT_EQ(w.Table1.recordCount(), 1);
    w.Table1.first();
    EXPECT_EQ(text::RtfToPlainText(w.Table1.asString("Kanji")), "日本語");
    EXPECT_EQ(text::RtfToPlainText(w.Table1.asString("Hira-Kata")), "にほんご");
    EXPECT_NE(w.Table1.asString("Hira-Kata").find("\\'82\\'c9"), std::string::npos);
    EXPECT_EQ(w.Table1.asString("Hepburn"), "nihongo");
    EXPECT_EQ(w.Table1.asString("Note"), "Übung ß");
    EXPECT_EQ(w.Table1.asString("Type"), "Zähleinheitswort");
    EXPECT_EQ(w.Table1.asInteger("Accent"), -2);
    EXPECT_EQ(page.Accent->value(), -2);
    EXPECT_EQ(page.TypEdit->currentIndex(), 9);
}

TEST_F(EntryPageTest, EmptyFirstTranslationIsRefusedAndNothingChanges) {
    app::TForm1& w = makeForm();
    entry::EntryPage& page = *w.entryPage;
    dialogs.clear();
    page.HiraKataEdit->setText(QStringLiteral("いぬ"));
    page.T2Edit->setText(QStringLiteral("Hund"));
    page.Button1->click();
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral(
                  "Die Vokabel kann nicht eingeben werden, da keine Übersetzung existiert!")});
    EXPECT_EQ(w.Table1.recordCount(), 0);
    EXPECT_EQ(page.T2Edit->text(), QStringLiteral("Hund"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("inu"));

    // Blanks count as a translation.
    page.T1Edit->setText(QStringLiteral(" "));
    page.Button1->click();
    EXPECT_EQ(w.Table1.recordCount(), 1);
}

TEST_F(EntryPageTest, ADuplicateKeepsEverythingTyped) {
    app::TForm1& w = makeForm();
    entry::EntryPage& page = *w.entryPage;
    auto type = [&] {
        page.KanjiEdit->setText(QStringLiteral("犬"));
        page.HiraKataEdit->setText(QStringLiteral("いぬ"));
        page.T1Edit->setText(QStringLiteral("Hund"));
        page.NoteEdit->setText(QStringLiteral("Tier"));
    };
    type();
    page.Button1->click();
    ASSERT_EQ(w.Table1.recordCount(), 1);
    w.Table1.first();
    const int recNo = w.Table1.recNo();
    dialogs.clear();

    type();
    page.Button1->click();
    EXPECT_EQ(dialogs.texts(), QStringList{kDuplicate});
    EXPECT_EQ(w.Table1.recordCount(), 1);
    EXPECT_EQ(w.Table1.state(), store::DataSetState::Browse);
    EXPECT_EQ(w.Table1.recNo(), recNo);
    EXPECT_EQ(page.KanjiEdit->text(), QStringLiteral("犬"));
    EXPECT_EQ(page.HiraKataEdit->text(), QStringLiteral("いぬ"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("inu"));
    EXPECT_EQ(page.T1Edit->text(), QStringLiteral("Hund"));
    EXPECT_EQ(page.NoteEdit->text(), QStringLiteral("Tier"));

    // One field different, and it is a new word.
    page.T2Edit->setText(QStringLiteral("Köter"));
    page.Button1->click();
    EXPECT_EQ(w.Table1.recordCount(), 2);
    EXPECT_EQ(page.T1Edit->text(), QString());
}

TEST_F(EntryPageTest, TheHepburnFieldCanBeOverwrittenBeforeStoring) {
    app::TForm1& w = makeForm();
    entry::EntryPage& page = *w.entryPage;
    page.HiraKataEdit->setText(QStringLiteral("ぢ"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("chi"));
    page.HepburnEdit->setText(QStringLiteral("ji"));
    page.T1Edit->setText(QStringLiteral("Erde"));
    page.Button1->click();
    w.Table1.first();
    EXPECT_EQ(w.Table1.asString("Hepburn"), "ji");
}

TEST_F(EntryPageTest, StoringAWordDuringAQuizStartsTheQuizAfresh) {
    app::TForm1& w = makeForm();
    entry::EntryPage& page = *w.entryPage;
    for (const char* t1 : {"Hund", "Katze", "Maus"}) {
        page.T1Edit->setText(QString::fromLatin1(t1));
        page.Button1->click();
    }
    ASSERT_EQ(w.quizState.SelectionCount, 3);
    // One wrong answer: the score shows it and the queue holds the word again.
    w.quizPage->Edit1->setText(QStringLiteral("falsch"));
    w.quizPage->Button2->click();
    EXPECT_EQ(w.StatusBar1->panelText(3), QStringLiteral("0 Richtig und 1 Falsch"));

    page.T1Edit->setText(QStringLiteral("Vogel"));
    page.Button1->click();
    EXPECT_EQ(w.quizState.SelectionCount, 4);
    EXPECT_EQ(w.quizState.DoneCount, 0);
    EXPECT_EQ(w.StatusBar1->panelText(3), QStringLiteral("0 Richtig und 0 Falsch"));
    EXPECT_EQ(w.StatusBar1->panelText(2), QStringLiteral("4 Vokabeln ausgewählt"));
    EXPECT_EQ(w.quizState.AskQueue.text().size(), 16u);
}

TEST_F(EntryPageTest, RomajiTypedIntoTheKanaFieldsBecomeKana) {
    app::TForm1& w = makeForm();
    entry::EntryPage& page = *w.entryPage;
    w.show();
    w.pageTabs->setCurrentWidget(w.TabSheet2);
    QLineEdit* kana = page.HiraKataEdit;
    ASSERT_TRUE(page.RomajiBox->isChecked());  // on from the start

    QTest::keyClicks(kana, QStringLiteral("gakk"));
    EXPECT_EQ(kana->text(), QStringLiteral("がっk"));  // the open syllable shows as typed
    QTest::keyClicks(kana, QStringLiteral("ou"));
    EXPECT_EQ(kana->text(), QStringLiteral("がっこう"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("gakkou"));
    QTest::keyClick(kana, Qt::Key_Backspace);  // one kana
    EXPECT_EQ(kana->text(), QStringLiteral("がっこ"));

    kana->clear();
    QTest::keyClicks(kana, QStringLiteral("ky"));
    QTest::keyClick(kana, Qt::Key_Backspace);  // one letter of the open syllable
    QTest::keyClicks(kana, QStringLiteral("a"));
    EXPECT_EQ(kana->text(), QStringLiteral("か"));

    kana->clear();
    QTest::keyClicks(kana, QStringLiteral("TEREBI"));
    EXPECT_EQ(kana->text(), QStringLiteral("テレビ"));

    // A pending n is settled when Enter stores the word.
    kana->clear();
    page.T1Edit->setText(QStringLiteral("Buch"));
    QTest::keyClicks(kana, QStringLiteral("hon"));
    EXPECT_EQ(kana->text(), QStringLiteral("ほn"));
    QTest::keyClick(kana, Qt::Key_Return);
    ASSERT_EQ(w.Table1.recordCount(), 1) << dialogs.texts().join(u'|').toStdString();
    w.Table1.first();
    EXPECT_EQ(w.Table1.asString("Hepburn"), "hon");

    // Switched off (Ctrl+J), letters stay letters; the switch is kept.
    QApplication::setActiveWindow(&w);
    kana->setFocus();
    QTest::keyClick(kana, Qt::Key_J, Qt::ControlModifier);
    EXPECT_FALSE(page.RomajiBox->isChecked());
    QTest::keyClicks(kana, QStringLiteral("ka"));
    EXPECT_EQ(kana->text(), QStringLiteral("ka"));
    EXPECT_FALSE(makeForm().entryPage->RomajiBox->isChecked());

    // The browse page's kana field converts too, and steps aside for an input method.
    app::TForm1& again = makeForm();
    again.entryPage->RomajiBox->setChecked(true);
    again.show();
    QTextEdit* browseKana = again.browsePage->DBRichEdit11;
    browseKana->clear();
    QTest::keyClicks(browseKana, QStringLiteral("ie"));
    EXPECT_EQ(browseKana->toPlainText(), QStringLiteral("いえ"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("え"));
    QCoreApplication::sendEvent(browseKana, &commit);
    QTest::keyClicks(browseKana, QStringLiteral("a"));
    EXPECT_EQ(browseKana->toPlainText(), QStringLiteral("いええa"));
}

TEST_F(EntryPageTest, CapitalsTypedWithShiftForEachLetterGiveKatakana) {
    app::TForm1& w = makeForm();
    w.show();
    QLineEdit* kana = w.entryPage->HiraKataEdit;
    // With a modifier, QTest presses the bare Shift (or CapsLock here) before each letter.
    const auto type = [&](const char* letters, Qt::KeyboardModifiers modifiers) {
        for (const char* c = letters; *c != 0; ++c) QTest::keyClick(kana, *c, modifiers);
    };
    type("TEREBI", Qt::ShiftModifier);
    EXPECT_EQ(kana->text(), QStringLiteral("テレビ"));
    kana->clear();
    for (const char* c = "REVYU-"; *c != 0; ++c) {
        QTest::keyClick(kana, Qt::Key_CapsLock);
        QTest::keyClick(kana, *c);
    }
    EXPECT_EQ(kana->text(), QStringLiteral("レヴュー"));

    // Capitalised as a German noun: hiragana; a capital going on a word: katakana.
    kana->clear();
    type("N", Qt::ShiftModifier);
    type("eko", Qt::NoModifier);
    EXPECT_EQ(kana->text(), QStringLiteral("ねこ"));
    kana->clear();
    type("A", Qt::ShiftModifier);
    EXPECT_EQ(kana->text(), QStringLiteral("A"));  // undecided until the next letter
    type("me ko", Qt::NoModifier);
    type("N", Qt::ShiftModifier);
    type("e", Qt::NoModifier);
    EXPECT_EQ(kana->text(), QStringLiteral("あめ こネ"));
}

TEST_F(EntryPageTest, RomajiPastedOrDroppedIntoTheKanaFieldsBecomeKana) {
    app::TForm1& w = makeForm();
    w.show();
    QLineEdit* kana = w.entryPage->HiraKataEdit;
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto paste = [&](QWidget* field, const QString& text) {
        clipboard->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    };
    paste(kana, QStringLiteral("Neko"));
    EXPECT_EQ(kana->text(), QStringLiteral("ねこ"));
    paste(kana, QStringLiteral(" hon"));
    EXPECT_EQ(kana->text(), QStringLiteral("ねこ ほん"));
    paste(kana, QStringLiteral("・猫ネコ"));  // kana and kanji stay
    EXPECT_EQ(kana->text(), QStringLiteral("ねこ ほん・猫ネコ"));

    kana->setText(QStringLiteral("かばん"));
    QMimeData dropped;
    dropped.setText(QStringLiteral("TEREBI"));
    const QPoint end(kana->width() - 2, kana->height() / 2);
    QDragEnterEvent enter(end, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(kana, &enter);
    QDropEvent drop(end, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(kana, &drop);
    EXPECT_EQ(kana->text(), QStringLiteral("かばんテレビ"));

    // Switched off, pasted letters stay letters.
    kana->clear();
    w.entryPage->RomajiBox->setChecked(false);
    paste(kana, QStringLiteral("neko"));
    EXPECT_EQ(kana->text(), QStringLiteral("neko"));

    // A multi-line field takes pasted romaji alike.
    auto* notes = new QTextEdit(&w);
    new platform::RomajiInput(notes);
    notes->setPlainText(QStringLiteral("いえ\n"));
    notes->moveCursor(QTextCursor::End);
    paste(notes, QStringLiteral("Uchi"));
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("いえ\nうち"));
}

TEST_F(EntryPageTest, AChosenSuggestionFillsTheFieldsAndCanBeChangedBeforeStoring) {
    app::TForm1& w = makeForm();
    entry::EntryPage& page = *w.entryPage;
    page.setDictionary(std::make_unique<dict::Dictionary>(
        testing::WriteDictd(dir.path().toStdString(), testing::SampleEntries())));
    w.show();
    w.pageTabs->setCurrentWidget(w.TabSheet2);
    QApplication::setActiveWindow(&w);
    page.HiraKataEdit->setFocus();

    // "ie" becomes いえ; the list offers 家 first and いえ (nein) second.
    QTest::keyClicks(page.HiraKataEdit, QStringLiteral("ie"));
    ASSERT_TRUE(page.Suggestions->isVisible());
    ASSERT_EQ(page.Suggestions->count(), 2);
    QTest::keyClick(page.HiraKataEdit, Qt::Key_Down);
    EXPECT_TRUE(page.Suggestions->hasFocus());
    QTest::keyClick(page.Suggestions, Qt::Key_Return);
    EXPECT_EQ(page.KanjiEdit->text(), QStringLiteral("家"));
    EXPECT_EQ(page.HiraKataEdit->text(), QStringLiteral("いえ"));
    EXPECT_EQ(page.HepburnEdit->text(), QStringLiteral("ie"));
    EXPECT_EQ(page.translations(),
              (std::array<QString, 3>{QStringLiteral("Haus, Gebäude, Wohnung"),
                                      QStringLiteral("Ort, an dem eine Familie lebt"), QStringLiteral("Haushalt")}));
    EXPECT_EQ(page.TypEdit->currentText(), QStringLiteral("Meishi"));
    EXPECT_FALSE(page.Suggestions->isVisible());
    EXPECT_EQ(w.Table1.recordCount(), 0);  // Enter in the list chose, it stored nothing

    // The second row by arrow keys, over a word typed in kanji: fewer senses empty the rest.
    page.KanjiEdit->clear();
    page.KanjiEdit->setFocus();
    QTest::sendKeyEvent(QTest::Click, page.KanjiEdit, Qt::Key_unknown, QStringLiteral("否"), Qt::NoModifier);
    page.HiraKataEdit->clear();
    QTest::keyClicks(page.HiraKataEdit, QStringLiteral("ie"));
    QTest::keyClick(page.HiraKataEdit, Qt::Key_Down);
    QTest::keyClick(page.Suggestions, Qt::Key_Down);
    QTest::keyClick(page.Suggestions, Qt::Key_Enter);
    EXPECT_EQ(page.KanjiEdit->text(), QStringLiteral("いえ"));
    EXPECT_EQ(page.translations(), (std::array<QString, 3>{QStringLiteral("nein, Nein"), QString(), QString()}));
    EXPECT_EQ(page.TypEdit->currentText(), QStringLiteral("Sonstiges"));

    // Every field stays the learner's: a changed translation is what is stored.
    page.T1Edit->setText(QStringLiteral("nein (höflich)"));
    QTest::keyClick(page.T1Edit, Qt::Key_Return);
    ASSERT_EQ(w.Table1.recordCount(), 1) << dialogs.texts().join(u'|').toStdString();
    w.Table1.first();
    EXPECT_EQ(w.Table1.asString("Translation1"), "nein (höflich)");
    EXPECT_EQ(w.Table1.asString("Type"), "Sonstiges");
    EXPECT_FALSE(page.Suggestions->isVisible());

    // A click chooses too; no dictionary hides the list.
    QTest::keyClicks(page.HiraKataEdit, QStringLiteral("tabe"));
    ASSERT_EQ(page.Suggestions->count(), 1);
    const QRect row = page.Suggestions->visualItemRect(page.Suggestions->item(0));
    QTest::mouseClick(page.Suggestions->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(page.KanjiEdit->text(), QStringLiteral("食べる"));
    EXPECT_EQ(page.TypEdit->currentText(), QStringLiteral("Verb-Vok"));
    dialogs.clear();
    page.setDictionary(std::make_unique<dict::Dictionary>(dict::DictionaryFiles{"/nonexistent", "/nonexistent"}));
    page.HiraKataEdit->clear();
    QTest::keyClicks(page.HiraKataEdit, QStringLiteral("ie"));
    EXPECT_FALSE(page.Suggestions->isVisible());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

}  // namespace
}  // namespace morvanta
