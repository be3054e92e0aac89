// A full disk while saving a quiz status file and an RTF export: the error is
// reported and the former file stays as it was, with no temporary file beside it.

#include <QAction>

#include "exchange/export_page.h"
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

}  // namespace
}  // namespace morvanta::fault
