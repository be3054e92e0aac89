// "Drucken…" on the export page: the selection goes into the print preview as
// the practice sheet or the kanji grid; the quiz query ends on its first record.

#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>

#include "exchange/export_page.h"
#include "support/form_fixture.h"
#include "support/pdf_reading.h"
#include "support/rtf_test_support.h"

namespace morvanta::exchange {
namespace {

using namespace pdftest;

store::Record PageWord(std::string translation, const std::string& kanji, const std::string& kana) {
    const store::DateTime day{2024, 1, 2, 3, 4, 5, 0};
    return {std::move(translation), std::string(), std::string(), std::string("x"),
            exchangetest::StoredRtf(kanji), exchangetest::StoredRtf(kana), std::int64_t{0},
            std::string(), day, day, std::int64_t{0}, std::int64_t{0}, true,
            std::string("Meishi"), false, std::int64_t{1}};
}

class PrintPage : public testing::FormFixture {
protected:
    void SetUp() override {
        if (const std::string tool = MissingTool(); !tool.empty())
            GTEST_SKIP() << tool << " is not installed";
        FormFixture::SetUp();
        page = makeForm().exportPage;
        page->programDir = programDir;
        dialogs.clear();
        for (const auto& w : {PageWord("Japan", "日本", "にほん"), PageWord("Buch", "本", "ほん")})
            form->Table1.insertRecord(w);
        form->Query1.close();
        form->Query1.open();
        form->Query1.last();
        dialogs.previewPdf = dir.path() + QStringLiteral("/preview.pdf");
    }
    std::filesystem::path preview() const { return dialogs.previewPdf.toStdString(); }
    ExportPage* page = nullptr;
};

TEST_F(PrintPage, BothButtonsPreviewTheSelection) {
    page->PrintPracticeButton->click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    ASSERT_EQ(dialogs.previewTitles, QStringList{QStringLiteral("Übungsblatt")});
    EXPECT_EQ(dialogs.previewLayouts.at(0).orientation(), QPageLayout::Landscape);
    // The window's date and the selection reach the sheet; what it draws is tests/print's.
    std::string text = PageText(preview(), 1);
    for (const char* shown : {"15.03.2024", "2 Vokabeln"})
        EXPECT_TRUE(Has(text, shown)) << shown << " not in the preview:\n" << text;
    EXPECT_EQ(form->Query1.recNo(), 1);

    QFile::copy(QString::fromStdString((exchangetest::SourceDir() / "data" / "hirakata.txt").string()),
                programDir + QStringLiteral("/hirakata.txt"));
    form->Query1.last();
    page->PrintKanjiButton->click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(dialogs.previewTitles.value(1), QStringLiteral("Kanji-Schreibblatt"));
    text = PageText(preview(), 1);
    EXPECT_TRUE(Has(text, "2 Vokabeln, 2 Kanji")) << text;
    EXPECT_EQ(form->Query1.recNo(), 1);
}

TEST_F(PrintPage, KanjiGridWithoutKanaListIsReported) {
    page->PrintKanjiButton->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("hirakata.txt")));
    EXPECT_TRUE(dialogs.previewTitles.isEmpty());
    EXPECT_FALSE(std::filesystem::exists(preview()));
    EXPECT_EQ(form->Query1.recNo(), 2);  // untouched
}

}  // namespace
}  // namespace morvanta::exchange
