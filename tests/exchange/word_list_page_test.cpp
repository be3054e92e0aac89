// Word lists of other trainers in the whole window: the import's preview and
// its choices, the table and the message after it; the export from "Extras".
// Reading and mapping themselves are the core's (tests/core/foreign).

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "core/foreign/csv_reader.h"
#include "core/foreign/file_bytes.h"
#include "exchange/export_page.h"
#include "exchange/foreign_import_dialog.h"
#include "support/form_fixture.h"
#include "support/rtf_test_support.h"

namespace morvanta::exchange {
namespace {

using exchangetest::WriteFile;
using Kind = platform::ScriptedDialogs::Message;

class WordListPage : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        page = makeForm().exportPage;
        dialogs.clear();
    }
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(dir.path().toStdString()) / name;
    }
    ExportPage* page = nullptr;
};

TEST_F(WordListPage, PreviewLetsTheLearnerChooseThenImports) {
    // Headerless: the German column comes first, so the guess has to be looked at.
    WriteFile(file("w.csv"), "Katze;ねこ;Tier\nHund;いぬ;Tier\n;とり;Tier\n");
    dialogs.fileAnswers << QString::fromStdString(file("w.csv").string());
    int shown = 0;
    page->showPreview = [&](ForeignImportDialog& preview) {
        ++shown;
        EXPECT_EQ(preview.countsLabel->text(),
                  QStringLiteral("Neu: 3 · schon vorhanden: 0 · nicht speicherbar: 0"));
        // The third column is a note, not a second translation.
        preview.chooseField(2, foreign::Field::Note);
        EXPECT_EQ(preview.countsLabel->text(),
                  QStringLiteral("Neu: 2 · schon vorhanden: 0 · nicht speicherbar: 1"));
        EXPECT_EQ(preview.mapping(), (foreign::ColumnMapping{foreign::Field::Translation1,
                                                             foreign::Field::Kana, foreign::Field::Note}));
        preview.chooseField(0, foreign::Field::None);
        EXPECT_FALSE(preview.importButton->isEnabled());  // no translation, nothing to import
        preview.chooseField(0, foreign::Field::Translation1);
        EXPECT_TRUE(preview.importButton->isEnabled());
        return true;
    };
    form->exportPage->ExtrasMenu->findChild<QAction*>(QStringLiteral("ImportWordListAction"))->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(dialogs.askedDialogs.at(0).name, QStringLiteral("DialogWordListOpen"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Info);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("2 Vokabeln importiert, 0 schon vorhanden, 1 nicht speicherbar.\n"
                             "Zeile 3: keine Übersetzung"));
    EXPECT_EQ(form->Table1.recordCount(), 2);
    form->Table1.first();
    EXPECT_EQ(form->Table1.asString("Note"), "Tier");

    // A damaged file changes nothing and says why.
    WriteFile(file("bad.csv"), "a;\"b\n");
    dialogs.fileAnswers << QString::fromStdString(file("bad.csv").string());
    page->ImportWordListClick();
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].kind, Kind::Error);
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("„bad.csv“ wurde nicht importiert")));
    EXPECT_EQ(form->Table1.recordCount(), 2);

    // Out again: imported words are marked, so the quiz query, opened again, selects them.
    dialogs.fileAnswers << QString::fromStdString(file("out.csv").string());
    form->Query1.close();
    form->Query1.open();
    page->ExportWordListClick(foreign::ListFormat::Csv);
    const foreign::SourceSheet back = foreign::ReadCsvFile(file("out.csv"), foreign::CsvKind::Csv);
    EXPECT_EQ(back.rows.size(), 2u);
}

}  // namespace
}  // namespace morvanta::exchange
