// The table file under faults: a read-only folder, garbage in place of the
// table, another process holding it locked. Each time: a message box, no crash,
// and every stored word still there afterwards.

#include <QLineEdit>
#include <QPushButton>

#include "entry/entry_page.h"
#include "fault_support.h"
#include "quiz/quiz_page.h"
#include "support/form_fixture.h"
#include "support/temp_table.h"

namespace morvanta::fault {
namespace {

namespace fs = std::filesystem;
using Kind = platform::ScriptedDialogs::Message;

const QString kRefused = QStringLiteral(
    "Es Existiert schon eine Vokabel mit der gleichen Kombination: Hepburn - Übersetzungen!");

class FaultTable : public testing::FormFixture {
protected:
    void typeWord(const QString& translation) {
        form->entryPage->T1Edit->setText(translation);
        form->entryPage->HepburnEdit->setText(QStringLiteral("kotoba"));
    }
    void storeTyped() { form->entryPage->Button1->click(); }
    fs::path folder() const { return tablePath().parent_path(); }
};

TEST_F(FaultTable, ReadOnlyFolderRefusesTheNewWordAndKeepsTheStoredOnes) {
    test::InsertGeneratedWords(tablePath(), 5);
    const auto before = FileBytes(tablePath());
    fs::permissions(tablePath(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder(), fs::perms::owner_read | fs::perms::owner_exec);
    {
        WithoutPermissionOverride asUser;
        if (CanCreateIn(folder())) {
            fs::permissions(folder(), fs::perms::owner_all);
            GTEST_SKIP() << "permissions do not hold for this user";
        }
        makeForm();
        dialogs.messages.removeIf([](const auto& m) { return m.kind == Kind::Info; });
        const auto startMessages = dialogs.messages;
        typeWord(QStringLiteral("Neu"));
        storeTyped();
        // Either the start-up could not read the table, or the store refuses the word.
        ASSERT_FALSE(dialogs.messages.isEmpty());
        for (const auto& m : dialogs.messages) EXPECT_EQ(m.kind, Kind::Error) << m.text.toStdString();
        if (startMessages.isEmpty()) {
            // Not a duplicate: the table's own trouble is named.
            EXPECT_NE(dialogs.messages.back().text, kRefused);
            EXPECT_FALSE(dialogs.messages.back().text.isEmpty());
            EXPECT_EQ(form->entryPage->T1Edit->text(), QStringLiteral("Neu"));  // kept as typed
        }
        form.reset();
    }
    fs::permissions(folder(), fs::perms::owner_all);
    fs::permissions(tablePath(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FileBytes(tablePath()), before);
    EXPECT_EQ(WordCount(tablePath()), 5);
    EXPECT_TRUE(TableIsSound(tablePath()));
}

TEST_F(FaultTable, GarbageInPlaceOfTheTableIsReportedAndLeftAlone) {
    std::string garbage;
    for (int i = 0; i < 8192; ++i) garbage += static_cast<char>((i * 7919) % 251);
    WriteBytes(tablePath(), garbage);
    makeForm();
    ASSERT_EQ(dialogs.messages.size(), 2) << dialogs.texts().join(u'|').toStdString();
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Created Database Alias.")));
    EXPECT_EQ(dialogs.messages[1].kind, Kind::Error);
    EXPECT_FALSE(dialogs.messages[1].text.isEmpty());
    dialogs.clear();

    // The learner goes on: storing a word fails with a message, nothing is written.
    typeWord(QStringLiteral("Neu"));
    storeTyped();
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages.back().kind, Kind::Error);
    form->quizPage->Button2->click();
    form.reset();
    EXPECT_EQ(std::string(FileBytes(tablePath()).data(), garbage.size()), garbage);
    EXPECT_EQ(fs::file_size(tablePath()), garbage.size());
}

TEST_F(FaultTable, LockedByAnotherProcessRefusesThenStoresOnceFree) {
    test::InsertGeneratedWords(tablePath(), 3);
    makeForm();
    dialogs.clear();
    {
        // Another process (this program run again) holds an exclusive transaction.
        ChildRun locker("FaultChild.DISABLED_Run",
                        {"MORVANTA_FAULT_TASK=lock", "MORVANTA_FAULT_DIR=" + dir.path().toStdString(),
                         "QT_QPA_PLATFORM=offscreen"});
        const fs::path flag = fs::path(dir.path().toStdString()) / "locked";
        ASSERT_TRUE(locker.waitFor([&] { return fs::exists(flag); }, std::chrono::seconds(120)));
        typeWord(QStringLiteral("Neu"));
        storeTyped();
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].kind, Kind::Error);
        EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("locked")))
            << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(form->entryPage->T1Edit->text(), QStringLiteral("Neu"));

        // A quiz answer cannot book either; it says so.
        dialogs.clear();
        form->quizPage->Edit1->setText(QStringLiteral("falsch"));
        form->quizPage->Button2->click();
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].kind, Kind::Error);
        EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("locked")))
            << dialogs.messages[0].text.toStdString();
    }
    dialogs.clear();
    storeTyped();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
    form.reset();
    EXPECT_EQ(WordCount(tablePath()), 4);
    EXPECT_EQ(TableNumber(tablePath(), "SELECT count(*) FROM Vokabel WHERE Note = 'uncommitted'"), 0);
    EXPECT_TRUE(TableIsSound(tablePath()));
}

}  // namespace
}  // namespace morvanta::fault
