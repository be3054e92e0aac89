// A full disk while saving a quiz status file and an RTF export: the error is
// reported and the former file stays as it was, with no temporary file beside it.

#include <QAction>
#include <sstream>

#include "exchange/export_page.h"
#include "core/exchange/special_import.h"
#include "fault_support.h"
#include "quiz/quiz_page.h"
#include "support/form_fixture.h"
#include "support/temp_table.h"

namespace morvanta::fault {
namespace {

namespace fs = std::filesystem;
using Kind = platform::ScriptedDialogs::Message;

class FaultDiskFull : public testing::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        test::InsertGeneratedWords(tablePath(), 60);
        makeForm();
        dialogs.clear();
        disk = std::make_unique<SmallFileSystem>(fs::path(dir.path().toStdString()) / "small", 64);
        if (!disk->mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    }
    void TearDown() override {
        FormFixture::TearDown();
        disk.reset();
    }
    fs::path small(const char* name) const { return fs::path(dir.path().toStdString()) / "small" / name; }
    // Only the good file and the filler are in the small folder.
    std::vector<std::string> smallFolder() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(small("")))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void answer(const fs::path& file) { dialogs.fileAnswers << QString::fromStdString(file.string()); }
    std::unique_ptr<SmallFileSystem> disk;
};

TEST_F(FaultDiskFull, StatusFileKeepsItsFormerContent) {
    const std::string good = "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel;\r\n0\r\n0\r\n0\r\n\r\n";
    WriteBytes(small("quiz.vad"), good);
    disk->fill(64);  // less than the 120 bytes of the queue line
    answer(small("quiz.vad"));
    form->quizPage->AbfrageStatusSpeichern1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Error);
    EXPECT_FALSE(dialogs.messages[0].text.isEmpty());
    EXPECT_EQ(std::string(FileBytes(small("quiz.vad")).data(), good.size()), good);
    EXPECT_EQ(fs::file_size(small("quiz.vad")), good.size());
    EXPECT_EQ(smallFolder(), (std::vector<std::string>{"filler", "quiz.vad"}));
}

TEST_F(FaultDiskFull, RtfExportKeepsTheFormerListAndTheQueryGoesBack) {
    const std::string good = "{\\rtf1 alte Liste\\par}";
    WriteBytes(small("liste.rtf"), good);
    disk->fill(2048);  // the list of 30 marked words is far larger
    form->Query1.setRecNo(3);
    answer(small("liste.rtf"));
    form->exportPage->Button3Click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Kind::Error);
    EXPECT_EQ(std::string(FileBytes(small("liste.rtf")).data(), good.size()), good);
    EXPECT_EQ(fs::file_size(small("liste.rtf")), good.size());
    EXPECT_EQ(smallFolder(), (std::vector<std::string>{"filler", "liste.rtf"}));
    EXPECT_EQ(form->Query1.recNo(), 1);
    EXPECT_EQ(WordCount(tablePath()), 60);
}

// The table itself on a disk that fills during a special import: the import stops,
// names the cause and keeps what it stored; no word is counted as refused.
TEST(FaultDiskFullTable, SpecialImportStopsAndSaysSo) {
    test::TempFolder folder;
    // Room for the first batches of words, not for all of them.
    SmallFileSystem disk(folder.path() / "Database", 8192);
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const fs::path table = folder.path() / "Database" / "Vokabel.DB";
    ASSERT_TRUE(store::CreateVocabularyFile(table));
    store::AliasConfig config(folder.path() / "engine.ini");
    config.setConfigModePersistent();
    config.addStandardAlias("Vokabel", {"PATH=" + (folder.path() / "Database").string()});
    disk.fill(4 * 1024 * 1024);
    std::string file;
    for (int n = 0; n < 8000; ++n)
        file += "x\n\n\nWort " + std::to_string(n) + std::string(200, 'e') + "\nMeishi\n\n1\n";
    exchange::SpecialImportResult result;
    {
        store::Session session(config);
        store::Table words(session, "Vokabel", "Vokabel.DB");
        words.open();
        words.afterInsert = [](store::DataSet& d) { d.saveToDisk(); };
        std::istringstream in(file);
        store::SystemClock clock;
        result = exchange::RunSpecialImport(in, words, clock);
    }
    ASSERT_TRUE(result.error);
    EXPECT_GT(result.stored, 0);
    EXPECT_LT(result.stored, 8000);
    EXPECT_EQ(result.failed, 0);
    try {
        std::rethrow_exception(result.error);
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("Datenträger ist voll"), std::string::npos) << e.what();
    }
    EXPECT_EQ(exchange::SpecialImportMessage(result).rfind("Import abgebrochen: " + std::to_string(result.stored), 0), 0u);
    fs::remove(folder.path() / "Database" / "filler");
    EXPECT_EQ(WordCount(table), result.stored);
    EXPECT_TRUE(TableIsSound(table));
}

}  // namespace
}  // namespace morvanta::fault
