// The hidden commands in the whole window: special import, word dump, Button13.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "entry/entry_page.h"
#include "exchange/export_page.h"
#include "platform/rich_line_edit.h"
#include "support/rtf_test_support.h"
#include "support/form_fixture.h"
#include "text/rich_text.h"

namespace morvanta::exchange {
namespace {

using exchangetest::ReadFile;
using exchangetest::Sjis;
using exchangetest::WriteFile;
using Kind = platform::ScriptedDialogs::Message;

std::string ImportWord(const std::string& kana, const std::string& translation,
                       const std::string& lesson = "2") {
    return "#\r\n" + Sjis("語") + "\r\n" + Sjis(kana) + "\r\n" + translation + "\r\nMeishi\r\n\r\n" +
           lesson + "\r\n";
}

class SpecialCommandsPage : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        page = makeForm().exportPage;
        dialogs.clear();  // the start-up step's messages
    }
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(dir.path().toStdString()) / name;
    }
    void answer(const std::filesystem::path& f) {
        dialogs.fileAnswers << QString::fromStdString(f.string());
    }
    ExportPage* page = nullptr;
};

TEST_F(SpecialCommandsPage, ImportStoresCountsAndReports) {
    WriteFile(file("w.txt"), ImportWord("きって", "Briefmarke") + ImportWord("かさ", "Schirm"));
    answer(file("w.txt"));
    page->Button11Click();
    EXPECT_EQ(dialogs.askedDialogs.at(0).name, QStringLiteral("OpenDialog1"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Info);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Es Wurden 0 Vokabeln nicht importiert"));
    EXPECT_EQ(form->Table1.recordCount(), 2);
    EXPECT_TRUE(form->StatusBar1->panelText(0).endsWith(QStringLiteral(" Vokabeln in der DB")));

    dialogs.clear();
    answer(file("w.txt"));
    page->Button11Click();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Es Wurden 2 Vokabeln nicht importiert")});
    EXPECT_EQ(form->Table1.recordCount(), 2);
}

TEST_F(SpecialCommandsPage, BadLessonShowsTheCountThenTheError) {
    WriteFile(file("w.txt"), ImportWord("いぬ", "Hund") + ImportWord("ねこ", "Katze") +
                                 ImportWord("とり", "Vogel", "zwei"));
    answer(file("w.txt"));
    page->Button11Click();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Info);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Es Wurden 0 Vokabeln nicht importiert"));
    EXPECT_EQ(dialogs.messages[1].kind, Kind::Error);
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("'zwei' is not a valid integer value"));
    EXPECT_EQ(form->Table1.recordCount(), 2);
}

TEST_F(SpecialCommandsPage, CancelledOpenDialogDoesNothing) {
    page->Button11Click();
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SpecialCommandsPage, WordDumpOfTheSelection) {
    answer(file("leer.rtf"));
    page->Button12Click();
    ASSERT_TRUE(std::filesystem::exists(file("leer.rtf")));
    EXPECT_EQ(ReadFile(file("leer.rtf")), "");

    WriteFile(file("w.txt"), ImportWord("かさ", "Schirm"));
    answer(file("w.txt"));
    page->Button11Click();  // reopening the quiz query is the entry page's business
    form->Query1.close();
    form->Query1.open();
    answer(file("dump.rtf"));
    page->Button12Click();
    const std::string kanji = text::WrapJapaneseRtf(Sjis("語"));
    const std::string kana = text::WrapJapaneseRtf(Sjis("かさ"));
    EXPECT_EQ(ReadFile(file("dump.rtf")), kanji + "\r\n" + kana + "\r\nSchirm\r\n");
    EXPECT_EQ(form->Query1.recNo(), 1);
}

TEST_F(SpecialCommandsPage, Button13RomanisesTheStoredReadingWithoutChangingTheTable) {
    WriteFile(file("w.txt"), ImportWord("がっこう", "Schule"));
    answer(file("w.txt"));
    page->Button11Click();
    form->Table1.first();
    const std::string hepburnBefore = form->Table1.asString("Hepburn");
    const auto tableBytes = ReadFile(tablePath());

    form->entryPage->HepburnEdit->setText(QStringLiteral("alt"));
    page->Button13Click();
    EXPECT_EQ(form->entryPage->HepburnEdit->text(), QStringLiteral("gakkou"));
    EXPECT_EQ(form->Table1.state(), store::DataSetState::Browse);
    EXPECT_EQ(form->Table1.asString("Hepburn"), hepburnBefore);
    EXPECT_EQ(form->Table1.recordCount(), 1);
    EXPECT_EQ(ReadFile(tablePath()), tableBytes);
}

TEST_F(SpecialCommandsPage, Button13OnAReadingWithoutJapaneseEmptiesTheField) {
    form->Table1.insertRecord({std::string("Haus"), std::string(), std::string(), std::string("ie"),
                               std::string(), text::PlainTextToRtf("ie"), std::int64_t{0},
                               std::string(), clock.time, clock.time, std::int64_t{0},
                               std::int64_t{0}, true, std::string(), false, std::int64_t{1}});
    form->Table1.first();
    form->entryPage->HepburnEdit->setText(QStringLiteral("alt"));
    page->Button13Click();
    EXPECT_EQ(form->entryPage->HepburnEdit->text(), QString());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SpecialCommandsPage, ExtrasMenuReachesEveryHiddenCommand) {
    EXPECT_TRUE(page->ExtrasButton->isVisibleTo(page));
    EXPECT_FALSE(page->Button11->isVisibleTo(page));
    const auto trigger = [&](const char* action) {
        page->ExtrasMenu->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        return dialogs.askedDialogs.isEmpty() ? QString() : dialogs.askedDialogs.takeLast().name;
    };
    EXPECT_EQ(trigger("ImportSpecialAction"), QStringLiteral("OpenDialog1"));
    EXPECT_EQ(trigger("XmlImportAction"), QStringLiteral("DialogXMLOpen1"));
    EXPECT_EQ(trigger("WordDumpAction"), QStringLiteral("SaveDialog1"));

    form->entryPage->HepburnEdit->setText(QStringLiteral("x"));
    EXPECT_EQ(trigger("ReadingAction"), QString());  // no dialog: the reading goes to the entry page
    EXPECT_NE(form->entryPage->HepburnEdit->text(), QStringLiteral("x"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

}  // namespace
}  // namespace morvanta::exchange
