// The table file on disk: opening errors, damaged files, durability, make_table.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "store/backup.h"
#include "store/data_set.h"
#include "store/database.h"
#include "store/engine_error.h"
#include "support/temp_table.h"

namespace morvanta::store {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string OpenError(const fs::path& configFile) {
    AliasConfig config(configFile);
    Session session(config);
    Table table(session, "Vokabel", "Vokabel.DB");
    try {
        table.open();
    } catch (const EngineError& e) {
        return e.what();
    }
    return "opened";
}

TEST(TableFile, MissingFolderOrFileGivesAClearErrorAndCreatesNothing) {
    auto t = test::MakeTempTable();
    fs::remove(t->tableFile);
    EXPECT_NE(OpenError(t->configFile).find("gibt es nicht"), std::string::npos);
    EXPECT_FALSE(fs::exists(t->tableFile));
    fs::remove_all(t->databaseFolder);
    std::string error = OpenError(t->configFile);
    EXPECT_NE(error.find("Ordner"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(t->databaseFolder));

    AliasConfig config(t->configFile);
    Session session(config);
    Table table(session, "Unbekannt", "Vokabel.DB");
    EXPECT_THROW(table.open(), EngineError);
}

TEST(TableFile, ForeignOrDamagedFilesAreRefusedAndLeftAsTheyAre) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 50);
    std::string good = ReadAll(t->tableFile);
    const std::vector<std::string> damaged = {
        std::string(),                                     // empty file
        std::string(4096, 'x'),                            // not SQLite at all
        good.substr(0, 100) + std::string(good.size() - 100, '\0'),  // header only
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        fs::remove(t->tableFile.string() + "-wal");
        fs::remove(t->tableFile.string() + "-shm");
        WriteAll(t->tableFile, damaged[i]);
        std::string error = OpenError(t->configFile);
        EXPECT_NE(error, "opened");
        EXPECT_NE(error.find("Vokabel.DB"), std::string::npos) << error;
        EXPECT_EQ(ReadAll(t->tableFile), damaged[i]);
    }
}

TEST(TableFile, FileFromANewerVersionIsRefused) {
    auto t = test::MakeTempTable();
    {
        auto db = Database::open(t->tableFile);
        db->exec("PRAGMA user_version = 99");
    }
    std::string error = OpenError(t->configFile);
    EXPECT_NE(error.find("neueren Version"), std::string::npos) << error;
}

TEST(TableFile, SaveToDiskFailsWhenTheFileIsGone) {
    auto t = test::MakeTempTable();
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    table.open();
    table.saveToDisk();
    fs::remove(t->tableFile);
    EXPECT_THROW(table.saveToDisk(), EngineError);
    EXPECT_THROW(table.flushBuffers(), EngineError);
}

TEST(TableFile, KeyOrderUsesTheIndexWithoutSorting) {
    auto t = test::MakeTempTable();
    auto db = Database::open(t->tableFile);
    Statement plan = db->prepare(
        "EXPLAIN QUERY PLAN SELECT WordId FROM VokabelOrder ORDER BY SortKey, WordId");
    std::string steps;
    while (plan.step()) steps += std::string(plan.columnText(3)) + "\n";
    EXPECT_NE(steps.find("COVERING INDEX VokabelOrderKey"), std::string::npos) << steps;
    EXPECT_EQ(steps.find("TEMP B-TREE"), std::string::npos) << steps;
}

TEST(TableFile, StoredRecordSurvivesTheProgramBeingKilled) {
    auto t = test::MakeTempTable();
    std::fflush(nullptr);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child has its own connection; it is killed right after the insert returns.
        AliasConfig config(t->configFile);
        Session session(config);
        Table table(session, "Vokabel", "Vokabel.DB");
        table.open();
        table.insertRecord(test::GeneratedWord(7));
        ::kill(::getpid(), SIGKILL);
        std::_Exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    table.open();
    ASSERT_EQ(table.recordCount(), 1);
    EXPECT_EQ(table.asString("Hepburn"), "hepburn7");
}

// Damage reported on an open table is judged on a new connection: a sound file that
// another program wrote in place is no damage, but the connection writes no more.
TEST(TableFile, FileWrittenUnderneathIsToldApartFromADamagedOne) {
    auto t = test::MakeTempTable();
    const fs::path& file = t->tableFile;
    const auto verdict = [&](const std::string& replacement, bool byRead) {
        Session session(t->config);
        Table table(session, "Vokabel", "Vokabel.DB");
        table.open();
        auto db = session.connect("Vokabel");
        db->exec("PRAGMA wal_checkpoint(TRUNCATE)");  // as after a saved change
        if (!replacement.empty()) WriteAll(file, replacement);  // in place, as cp does
        std::string message;
        try {
            if (byRead) db->prepare("SELECT sum(length(Kanji)) FROM Vokabel").step();
            table.insertRecord(test::GeneratedWord(900));
        } catch (const EngineError& e) {
            message = e.what();
        }
        EXPECT_THROW(db->exec("DELETE FROM Vokabel"), EngineError);
        return std::make_pair(db->changedUnderneath() && !db->damaged(), message);
    };
    test::InsertGeneratedWords(file, 300);
    std::string bytes = ReadAll(file);
    const std::string backup = ReadAll(WriteDailyBackup(file, "2026-12-01", 7));
    auto small = test::MakeTempTable();
    // A backup copied back (no log of its own), and a smaller table whose pages a read misses.
    for (const auto& [replacement, byRead] : {std::pair(backup, false), std::pair(ReadAll(small->tableFile), true)}) {
        test::InsertGeneratedWords(file, 5, 1000);
        const auto [changed, message] = verdict(replacement, byRead);
        EXPECT_TRUE(changed);
        EXPECT_NE(message.find("von einem anderen Programm geändert"), std::string::npos) << message;
        EXPECT_EQ(message.find("beschädigt"), std::string::npos) << message;
        EXPECT_TRUE(ReadAll(file) == replacement);
        EXPECT_FALSE(Database::open(file)->damaged());  // opened afresh, it is sound
    }

    // Noise in the middle of a data page: damaged, as a new connection finds it too.
    bytes.replace(4096 * (bytes.size() / 4096 / 2) + 100, 400, 400, '\xA5');
    WriteAll(file, bytes);
    const auto [changed, message] = verdict({}, true);
    EXPECT_FALSE(changed);
    EXPECT_NE(message.find("beschädigt"), std::string::npos) << message;
}

TEST(TableFile, LeftoversOfAKilledBackupGoAtTheNextOneUnlessACopyHoldsThem) {
    auto t = test::MakeTempTable();
    const fs::path folder = BackupFolderOf(t->tableFile);
    fs::create_directories(folder);
    for (const char* name : {".backup-123456.tmp", ".backup-123456.tmp-journal", ".backup-Ab3xYz.tmp",
                             ".backup-Ab3xYz.tmp-journal"})
        WriteAll(folder / name, "half a copy");
    // A copy that another program is writing holds its file locked.
    const int held = ::open((folder / ".backup-Ab3xYz.tmp").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const auto names = [&] {
        std::set<std::string> out;
        for (const auto& entry : fs::directory_iterator(folder)) out.insert(entry.path().filename());
        return out;
    };
    EXPECT_FALSE(WriteDailyBackup(t->tableFile, "2026-12-01", 7).empty());
    EXPECT_EQ(names(), (std::set<std::string>{".backup-Ab3xYz.tmp", ".backup-Ab3xYz.tmp-journal",
                                              "Vokabel-2026-12-01.DB"}));
    ::close(held);
    EXPECT_TRUE(WriteDailyBackup(t->tableFile, "2026-12-01", 7).empty());
    EXPECT_EQ(names(), std::set<std::string>{"Vokabel-2026-12-01.DB"});
}

TEST(TableFile, MakeTableCreatesOnceAndNeverTouchesAnExistingFile) {
    const char* dir = std::getenv("MORVANTA_TOOL_DIR");
    fs::path tool = dir ? fs::path(dir) / "make_table" : fs::path();
    if (tool.empty() || !fs::exists(tool)) {
        // The tool's work is CreateVocabularyFile; check that directly.
        test::TempFolder folder;
        fs::path file = folder.path() / "Vokabel.DB";
        EXPECT_TRUE(CreateVocabularyFile(file));
        WriteAll(file, "not a table");
        EXPECT_FALSE(CreateVocabularyFile(file));
        EXPECT_EQ(ReadAll(file), "not a table");
        EXPECT_THROW(CreateVocabularyFile(folder.path() / "missing" / "Vokabel.DB"), EngineError);
        return;
    }
    test::TempFolder folder;
    fs::path file = folder.path() / "Vokabel.DB";
    std::string command = tool.string() + " " + file.string() + " >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(std::system(command.c_str()), 0);
    WriteAll(file, "keep me");
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadAll(file), "keep me");
    std::string missing = tool.string() + " " + (folder.path() / "no" / "Vokabel.DB").string() + " 2>/dev/null";
    EXPECT_NE(std::system(missing.c_str()), 0);
}

}  // namespace
}  // namespace morvanta::store
