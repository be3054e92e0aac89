// The hidden commands in the whole window: special import, word dump, Button13.
// Their parsing and documents are the core's (tests/core/exchange); here the
// dialogs, the messages in their order, the status bar and the entry page.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <sstream>

#include "core/exchange/word_dump.h"
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
using exchangetest::StoredRtf;
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
}

TEST_F(SpecialCommandsPage, CancelledOpenDialogDoesNothing) {
    page->Button11Click();
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SpecialCommandsPage, WordDumpWritesTheSelectionAndEndsOnTheFirstRecord) {
    for (const char* t1 : {"Schirm", "Tasche"})
        form->Table1.insertRecord({std::string(t1), std::string(), std::string(), std::string("x"),
                                   StoredRtf("語"), StoredRtf("かさ"), std::int64_t{0}, std::string(),
                                   clock.time, clock.time, std::int64_t{0}, std::int64_t{0}, true,
                                   std::string("Meishi"), false, std::int64_t{1}});
    form->Query1.close();
    form->Query1.open();
    form->Query1.last();
    answer(file("dump"));  // SaveDialog1 adds ".rtf"
    page->Button12Click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(dialogs.askedDialogs.at(0).name, QStringLiteral("SaveDialog1"));
    EXPECT_EQ(form->Query1.recNo(), 1);
    std::ostringstream core;
    WriteWordDump(core, form->Query1);
    EXPECT_EQ(ReadFile(file("dump.rtf")), core.str());
}

// The reading goes to the entry page's Hepburn field; the table is not touched.
TEST_F(SpecialCommandsPage, Button13HandsTheRomanisedReadingToTheEntryPage) {
    for (const auto& [t1, kana] : {std::pair{"Haus", text::PlainTextToRtf("ie")},
                                   std::pair{"Schule", StoredRtf("がっこう")}})
        form->Table1.insertRecord({std::string(t1), std::string(), std::string(), std::string("x"),
                                   std::string(), kana, std::int64_t{0}, std::string(), clock.time,
                                   clock.time, std::int64_t{0}, std::int64_t{0}, true,
                                   std::string(), false, std::int64_t{1}});
    const auto tableBytes = ReadFile(tablePath());
    form->Table1.first();  // Haus: a reading without Japanese empties the field
    form->entryPage->HepburnEdit->setText(QStringLiteral("alt"));
    page->Button13Click();
    EXPECT_EQ(form->entryPage->HepburnEdit->text(), QString());

    form->Table1.next();  // Schule
    page->Button13Click();
    EXPECT_EQ(form->entryPage->HepburnEdit->text(), QStringLiteral("gakkou"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(form->Table1.state(), store::DataSetState::Browse);
    EXPECT_EQ(form->Table1.asString("Hepburn"), "x");
    EXPECT_EQ(ReadFile(tablePath()), tableBytes);
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
