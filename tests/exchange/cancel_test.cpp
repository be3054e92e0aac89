// "Abbrechen" in the progress of the page's long runs, pressed midway: an export
// leaves no file behind (a former one stays as it was), an import leaves the
// table and the entry page as they were.

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/exchange/import_batch.h"
#include "core/exchange/xml_word_list_writer.h"
#include "entry/entry_page.h"
#include "exchange/export_page.h"
#include "exchange/xml_export_group.h"
#include "store/database.h"
#include "support/form_fixture.h"
#include "support/rtf_test_support.h"
#include "support/temp_table.h"

namespace morvanta::exchange {
namespace {

using exchangetest::ReadFile;
using exchangetest::Sjis;
using exchangetest::WriteFile;

class CancelledRun : public testing::FormFixture {
protected:
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(dir.path().toStdString()) / name;
    }
    void answer(const std::filesystem::path& f) { dialogs.fileAnswers << QString::fromStdString(f.string()); }
    // The words in the file, through a connection of its own.
    std::int64_t wordsInFile() const {
        auto db = store::Database::open(tablePath());
        store::Statement count = db->prepare("SELECT count(*) FROM Vokabel");
        count.step();
        return count.columnInt(0);
    }
};

TEST_F(CancelledRun, ExportsLeaveNoFileAndAFormerOneAsItWas) {
    test::InsertGeneratedWords(tablePath(), 9);
    app::TForm1& f = makeForm();
    dialogs.clear();
    f.exportPage->programDir = programDir;
    QFile::copy(QString::fromStdString((exchangetest::SourceDir() / "data" / "hirakata.txt").string()),
                programDir + QStringLiteral("/hirakata.txt"));
    f.exportPage->Memo2->setPlainText(QStringLiteral("vorher"));
    const std::pair<const char*, std::function<void()>> exports[] = {
        {"liste.rtf", [&] { f.exportPage->Button3Click(); }},
        {"kanji.rtf", [&] { f.exportPage->Button10Click(); }},
        {"dump.txt", [&] { f.exportPage->Button12Click(); }},
    };
    dialogs.cancelProgressAt = 3;
    for (const auto& [name, click] : exports) {
        SCOPED_TRACE(name);
        answer(file(name));
        click();
        EXPECT_FALSE(std::filesystem::exists(file(name)));
        WriteFile(file(name), "alt");
        answer(file(name));
        click();
        EXPECT_EQ(ReadFile(file(name)), "alt");
    }
    EXPECT_EQ(f.exportPage->Memo2->toPlainText(), QStringLiteral("vorher"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
}

TEST_F(CancelledRun, ImportsChangeNeitherTheTableNorTheEntryPage) {
    test::InsertGeneratedWords(tablePath(), 3);
    app::TForm1& f = makeForm();
    dialogs.clear();

    // The special import, cancelled after its first batch was committed.
    std::string words;
    for (int n = 0; n < kWordsPerBatch + 10; ++n)
        words += "#\r\n" + Sjis("語") + "\r\n" + Sjis("ご") + "\r\nWort " + std::to_string(n) +
                 "\r\nMeishi\r\n\r\n1\r\n";
    WriteFile(file("w.txt"), words);
    dialogs.cancelProgressAt = kWordsPerBatch + 5;
    answer(file("w.txt"));
    f.exportPage->Button11Click();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Import abgebrochen: Es wurde keine Vokabel importiert.")});
    EXPECT_EQ(f.Table1.recordCount(), 3);
    EXPECT_EQ(wordsInFile(), 3);

    // The word-list import into the entry page.
    {
        QFile out(QString::fromStdString(file("w.xml").string()));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        XmlWordListWriter writer(out);
        writer.begin({});
        for (const char* t : {"eins", "zwei", "drei"}) {
            XmlWord w;
            w.word = QStringLiteral("数");
            w.translations[0] = QString::fromUtf8(t);
            writer.addWord(w, {});
        }
        writer.finish();
    }
    f.entryPage->T1Edit->setText(QStringLiteral("vorher"));
    dialogs.clear();
    dialogs.cancelProgressAt = 2;
    answer(file("w.xml"));
    f.exportPage->TntGroupBox1->TntButton2Click();
    EXPECT_EQ(f.entryPage->T1Edit->text(), QStringLiteral("vorher"));
    EXPECT_TRUE(f.entryPage->KanjiEdit->text().isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
}

}  // namespace
}  // namespace morvanta::exchange
