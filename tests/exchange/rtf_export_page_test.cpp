// The page's RTF exports in the whole window: the buttons, SaveDialog1, the
// messages and the quiz query's walk. The documents are the core writers'
// (tests/core/exchange); here the page must hand them the selection.

#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <sstream>

#include "core/exchange/rtf_kanji_list.h"
#include "core/exchange/rtf_practice_list.h"
#include "exchange/export_page.h"
#include "support/rtf_test_support.h"
#include "support/form_fixture.h"

namespace morvanta::exchange {
namespace {

using exchangetest::ReadFile;
using exchangetest::StoredRtf;

store::Record PageWord(std::string translation, const std::string& kanji, const std::string& kana) {
    const store::DateTime day{2024, 1, 2, 3, 4, 5, 0};
    return {std::move(translation), std::string(), std::string(), std::string("x"),
            StoredRtf(kanji), StoredRtf(kana), std::int64_t{0}, std::string(), day, day,
            std::int64_t{0}, std::int64_t{0}, true, std::string("Meishi"), false, std::int64_t{1}};
}

// The core writers' documents for the selection.
std::string PracticeListOf(store::DataSet& query) {
    std::ostringstream out;
    WritePracticeList(out, query);
    return out.str();
}
std::string KanjiListOf(const KnownCharacters& known) {
    std::ostringstream out;
    WriteKanjiList(out, known);
    return out.str();
}

class RtfExportPage : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        auto& f = makeForm();
        page = f.exportPage;
        page->programDir = programDir;
        dialogs.clear();  // the start-up step's messages
        QFile::copy(QString::fromStdString((exchangetest::SourceDir() / "data" / "hirakata.txt").string()),
                    programDir + QStringLiteral("/hirakata.txt"));
    }
    void addWords(const std::vector<store::Record>& words) {
        for (const auto& w : words) form->Table1.insertRecord(w);
        form->Query1.close();
        form->Query1.open();
    }
    std::filesystem::path out(const char* name) const {
        return std::filesystem::path(dir.path().toStdString()) / name;
    }
    void answer(const std::filesystem::path& file) {
        dialogs.fileAnswers << QString::fromStdString(file.string());
    }
    ExportPage* page = nullptr;
};

TEST_F(RtfExportPage, PracticeListWritesTheSelectionAndEndsOnTheFirstRecord) {
    addWords({PageWord("Japan", "日本", "にほん"), PageWord("Buch", "本", "ほん")});
    form->Query1.last();
    answer(out("liste"));  // SaveDialog1 adds ".rtf"
    page->Button3->click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(dialogs.askedDialogs.at(0).name, QStringLiteral("SaveDialog1"));
    EXPECT_EQ(form->Query1.recNo(), 1);
    EXPECT_EQ(ReadFile(out("liste.rtf")), PracticeListOf(form->Query1));
}

TEST_F(RtfExportPage, CancelledDialogTouchesNothing) {
    addWords({PageWord("Japan", "日本", "にほん"), PageWord("Buch", "本", "ほん")});
    form->Query1.last();
    page->Button3->click();  // no answer scripted: cancelled
    page->Button10->click();
    EXPECT_EQ(form->Query1.recNo(), 2);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(RtfExportPage, UnwritableFileIsReportedAndTheQueryGoesBack) {
    addWords({PageWord("Japan", "日本", "にほん"), PageWord("Buch", "本", "ほん")});
    form->Query1.last();
    answer(out("missing-folder/liste.rtf"));
    page->Button3->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("liste.rtf")));
    EXPECT_EQ(form->Query1.recNo(), 1);
}

TEST_F(RtfExportPage, KanjiListStartsFromTheKanaListOnEveryRun) {
    addWords({PageWord("a Japan", "日本", "にほん"), PageWord("b lesen", "本を読む", "ほんをよむ"),
              PageWord("c Sonntag", "日曜日", "にちようび")});
    form->Query1.last();
    answer(out("kanji.rtf"));
    page->Button10->click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(dialogs.askedDialogs.at(0).name, QStringLiteral("SaveDialog1"));
    // Memo2 carries the kana list's lines, the four kanji and the final line end.
    EXPECT_EQ(page->Memo2->document()->blockCount(), 167 + 4 + 1);
    EXPECT_EQ(ReadFile(out("kanji.rtf")), KanjiListOf(page->knownCharacters()));
    EXPECT_EQ(form->Query1.recNo(), 1);

    answer(out("kanji2.rtf"));
    page->Button10->click();
    EXPECT_EQ(ReadFile(out("kanji2.rtf")), ReadFile(out("kanji.rtf")));
}

TEST_F(RtfExportPage, KanjiListWithoutKanaFileWritesNothing) {
    addWords({PageWord("Japan", "日本", "にほん"), PageWord("Buch", "本", "ほん")});
    form->Query1.last();
    QFile::remove(programDir + QStringLiteral("/hirakata.txt"));
    answer(out("kanji.rtf"));
    page->Button10->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("hirakata.txt")));
    EXPECT_FALSE(std::filesystem::exists(out("kanji.rtf")));
    EXPECT_EQ(form->Query1.recNo(), 1);
}

// Nothing is refused: an empty selection still gets both files.
TEST_F(RtfExportPage, EmptySelectionWritesBothListsWithoutAMessage) {
    answer(out("leer.rtf"));
    page->Button3->click();
    answer(out("leer-kanji.rtf"));
    page->Button10->click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_TRUE(std::filesystem::exists(out("leer.rtf")));
    EXPECT_TRUE(std::filesystem::exists(out("leer-kanji.rtf")));
}

}  // namespace
}  // namespace morvanta::exchange
