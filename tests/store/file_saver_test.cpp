// Saving a file replaces it whole or leaves it as it was, whatever goes wrong.

#include "store/file_saver.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include "e2e/fault_support.h"
#include "store/system_reason.h"
#include "support/temp_table.h"

namespace morvanta::store {
namespace {

namespace fs = std::filesystem;
using fault::FileBytes;
using fault::WriteBytes;

std::string Content(const fs::path& file) {
    const std::vector<char> bytes = FileBytes(file);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t Mode(const fs::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 07777;
}

// The save fails with the system's reason, the old file is whole, no temporary file is left.
void ExpectFailedSave(const fs::path& file, const std::string& bytes, int error,
                      const std::vector<std::string>& names) {
    try {
        SaveFile(file, bytes);
        ADD_FAILURE() << "saved";
    } catch (const FileSaveError& e) {
        EXPECT_EQ(e.reason(), SystemReason(error));
        EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(Content(file), "old");
    EXPECT_EQ(Names(file.parent_path()), names);
}

TEST(FileSaver, WritesThroughSymbolicLinksWhichStayLinks) {
    test::TempFolder dir;
    fs::create_directories(dir.path() / "real");
    WriteBytes(dir.path() / "real" / "list.rtf", "old");
    fs::create_symlink("real/list.rtf", dir.path() / "first");
    fs::create_symlink(dir.path() / "first", dir.path() / "second");
    SaveFile(dir.path() / "second", "new");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "first"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "second"));
    EXPECT_EQ(Content(dir.path() / "real" / "list.rtf"), "new");
    EXPECT_EQ(Names(dir.path() / "real"), std::vector<std::string>{"list.rtf"});
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"first", "real", "second"}));
}

TEST(FileSaver, ExistingFileKeepsItsModeNewFileFollowsTheUmask) {
    test::TempFolder dir;
    const fs::path old = dir.path() / "old.vad";
    WriteBytes(old, "old");
    ::chmod(old.c_str(), 0640);
    SaveFile(old, "new");
    EXPECT_EQ(Mode(old), 0640u);

    const mode_t mask = ::umask(027);
    SaveFile(dir.path() / "new.vad", "new");
    ::umask(mask);
    EXPECT_EQ(Mode(dir.path() / "new.vad"), 0640u);
}

TEST(FileSaver, NamesUpToTheFileSystemLimitSave) {
    test::TempFolder dir;
    std::string kanji;
    for (int i = 0; i < 85; ++i) kanji += "語";  // 255 bytes
    for (const std::string& name : {std::string(250, 'x'), std::string(255, 'y'), kanji}) {
        SCOPED_TRACE(name.size());
        SaveFile(dir.path() / name, name);
        EXPECT_EQ(Content(dir.path() / name), name);
    }
    EXPECT_EQ(Names(dir.path()).size(), 3u);
}

TEST(FileSaver, ReadOnlyFolderFailsAndKeepsTheOldFile) {
    test::TempFolder dir;
    const fs::path folder = dir.path() / "locked";
    fs::create_directories(folder);
    WriteBytes(folder / "engine.ini", "old");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    bool writable = false;
    {
        fault::WithoutPermissionOverride notRoot;
        writable = fault::CanCreateIn(folder);
        if (!writable) ExpectFailedSave(folder / "engine.ini", "new", EACCES, {"engine.ini"});
    }
    fs::permissions(folder, fs::perms::owner_all);
    if (writable) GTEST_SKIP() << "read-only folders are writable here";
}

TEST(FileSaver, ProducerFailureOrCancelMidwayLeavesNothing) {
    test::TempFolder dir;
    const fs::path file = dir.path() / "liste.rtf";
    WriteBytes(file, "old");
    try {
        FileSaver saver(file);
        saver.write(std::string(200000, 'a'));
        saver.stream() << "more";
        throw std::runtime_error("producer gave up");
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "producer gave up");
    }
    {
        FileSaver cancelled(file);
        cancelled.stream() << std::string(100000, 'b') << std::flush;
    }
    EXPECT_EQ(Content(file), "old");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"liste.rtf"});
}

TEST(FileSaver, FullDiskFailsAndKeepsTheOldFile) {
    test::TempFolder dir;
    // Any user: a file size limit fails writes the way a full disk does.
    const fs::path limited = dir.path() / "limited" / "quiz.vad";
    fs::create_directories(limited.parent_path());
    WriteBytes(limited, "old");
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4096, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    ExpectFailedSave(limited, std::string(10000, 'n'), EFBIG, {"quiz.vad"});
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);

    fault::SmallFileSystem disk(dir.path() / "small", 64);
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const fs::path file = dir.path() / "small" / "liste.xml";
    WriteBytes(file, "old");
    disk.fill(2048);
    ExpectFailedSave(file, std::string(100000, 'n'), ENOSPC, {"filler", "liste.xml"});
    // Through the stream the error leaves the writing statement itself.
    FileSaver saver(file);
    EXPECT_THROW(saver.stream() << std::string(100000, 'n'), FileSaveError);
    EXPECT_THROW(saver.commit(), FileSaveError);
    EXPECT_EQ(Names(file.parent_path()), (std::vector<std::string>{"filler", "liste.xml"}));
}

}  // namespace
}  // namespace morvanta::store
