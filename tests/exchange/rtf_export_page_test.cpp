// The page's RTF exports in the whole window: dialogs, files, the quiz query's walk.

#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>

#include "exchange/export_page.h"
#include "support/rtf_test_support.h"
#include "support/form_fixture.h"

namespace morvanta::exchange {
namespace {

using exchangetest::ReadFile;
using exchangetest::StoredRtf;
using exchangetest::WriteFile;

store::Record PageWord(std::string translation, const std::string& kanji, const std::string& kana) {
    const store::DateTime day{2024, 1, 2, 3, 4, 5, 0};
    return {std::move(translation), std::string(), std::string(), std::string("x"),
            StoredRtf(kanji), StoredRtf(kana), std::int64_t{0}, std::string(), day, day,
            std::int64_t{0}, std::int64_t{0}, true, std::string("Meishi"), false, std::int64_t{1}};
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

TEST_F(RtfExportPage, PracticeListOfTheSelectionEndsOnTheFirstRecord) {
    addWords({PageWord("Schriftzeichen", "漢字", "かんじ")});
    answer(out("liste.rtf"));
    page->Button3Click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(dialogs.askedDialogs.at(0).name, QStringLiteral("SaveDialog1"));
    EXPECT_EQ(ReadFile(out("liste.rtf")),
              ReadFile(exchangetest::GoldenDir("practice_one_word") / "expected.rtf"));
    EXPECT_EQ(form->Query1.recNo(), 1);
}

TEST_F(RtfExportPage, ReplacesAnExistingFileAndLeavesNoTemporaryFile) {
    addWords({PageWord("Japan", "日本", "にほん"), PageWord("Buch", "本", "ほん")});
    form->Query1.last();
    WriteFile(out("liste.rtf"), "old content");
    answer(out("liste"));  // the default extension is added
    page->Button3Click();
    const std::string doc = ReadFile(out("liste.rtf"));
    EXPECT_LT(doc.find("Buch"), doc.find("Japan"));  // the selection's order
    EXPECT_EQ(form->Query1.recNo(), 1);
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path().toStdString()))
        ++files;
    EXPECT_EQ(files, 3);  // program, config, liste.rtf
}

TEST_F(RtfExportPage, CancelledDialogTouchesNothing) {
    addWords({PageWord("Japan", "日本", "にほん"), PageWord("Buch", "本", "ほん")});
    form->Query1.last();
    page->Button3Click();  // no answer scripted: cancelled
    page->Button10Click();
    EXPECT_EQ(form->Query1.recNo(), 2);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(RtfExportPage, UnwritableFileIsReportedAndTheQueryGoesBack) {
    addWords({PageWord("Japan", "日本", "にほん"), PageWord("Buch", "本", "ほん")});
    form->Query1.last();
    answer(out("missing-folder/liste.rtf"));
    page->Button3Click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("liste.rtf")));
    EXPECT_EQ(form->Query1.recNo(), 1);
}

TEST_F(RtfExportPage, KanjiListInOrderOfFirstUse) {
    addWords({PageWord("a Japan", "日本", "にほん"), PageWord("b lesen", "本を読む", "ほんをよむ"),
              PageWord("c Sonntag", "日曜日", "にちようび")});
    answer(out("kanji.rtf"));
    page->Button10Click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(ReadFile(out("kanji.rtf")),
              ReadFile(exchangetest::GoldenDir("kanji_repeated") / "expected.rtf"));
    EXPECT_EQ(page->Memo2->document()->blockCount(), 167 + 4 + 1);  // lines and the final line end
    EXPECT_EQ(form->Query1.recNo(), 1);

    // A second run starts from the kana list again.
    answer(out("kanji2.rtf"));
    page->Button10Click();
    EXPECT_EQ(ReadFile(out("kanji2.rtf")), ReadFile(out("kanji.rtf")));
}

TEST_F(RtfExportPage, KanjiListWithoutKanaFileWritesNothing) {
    addWords({PageWord("Japan", "日本", "にほん"), PageWord("Buch", "本", "ほん")});
    form->Query1.last();
    QFile::remove(programDir + QStringLiteral("/hirakata.txt"));
    answer(out("kanji.rtf"));
    page->Button10Click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("hirakata.txt")));
    EXPECT_FALSE(std::filesystem::exists(out("kanji.rtf")));
    EXPECT_EQ(form->Query1.recNo(), 1);
}

TEST_F(RtfExportPage, EmptySelection) {
    answer(out("leer.rtf"));
    page->Button3Click();
    EXPECT_EQ(ReadFile(out("leer.rtf")),
              ReadFile(exchangetest::GoldenDir("practice_empty_selection") / "expected.rtf"));
    answer(out("leer-kanji.rtf"));
    page->Button10Click();
    EXPECT_EQ(ReadFile(out("leer-kanji.rtf")),
              ReadFile(exchangetest::GoldenDir("kanji_nothing_new") / "expected.rtf"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
}

}  // namespace
}  // namespace morvanta::exchange
