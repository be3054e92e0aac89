#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "core/setup/alias_folder.h"
#include "core/setup/program_files.h"
#include "store/data_set.h"
#include "store/session.h"
#include "support/temp_table.h"

namespace morvanta {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The table in folder opens and takes a word.
void ExpectUsableTable(const fs::path& folder) {
    store::AliasConfig config{fs::path()};
    config.addStandardAlias("Vokabel", {"PATH=" + folder.string(), "DEFAULT DRIVER=PARADOX"});
    store::Session session(config);
    store::Table table(session, "Vokabel", "Vokabel.DB");
    table.open();
    EXPECT_EQ(table.recordCount(), 0);
    table.insertRecord(test::GeneratedWord(1));
    EXPECT_EQ(table.recordCount(), 1);
}

// An installed program: <prefix>/bin and the empty table in <prefix>/share/morvanta.
struct Installed {
    explicit Installed(const fs::path& root) : bin(root / "usr" / "bin"), data(root / "data") {
        fs::create_directories(bin);
        fs::create_directories(setup::SharedDataFolder(bin));
        store::CreateVocabularyFile(setup::SharedDataFolder(bin) / "Vokabel.DB");
    }
    fs::path bin;
    fs::path data;
};

TEST(AliasFolder, AReadOnlyProgramFolderGetsTheShippedTableInTheDataFolderOnce) {
    test::TempFolder dir;
    const Installed program(dir.path());
    const fs::path shipped = setup::SharedDataFolder(program.bin) / "Vokabel.DB";
    EXPECT_EQ(shipped, dir.path() / "usr" / "share" / "morvanta" / "Vokabel.DB");

    const setup::AliasFolder folder = setup::PrepareAliasFolder(program.bin, false, program.data);
    EXPECT_EQ(folder.path, program.data / "Database");
    EXPECT_TRUE(folder.inUserData);
    EXPECT_EQ(Bytes(folder.path / "Vokabel.DB"), Bytes(shipped));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path)) ++files;
    EXPECT_EQ(files, 1u) << "no temporary file is left beside the table";
    ExpectUsableTable(folder.path);

    // A table already there stays as it is.
    const std::string words = Bytes(folder.path / "Vokabel.DB");
    setup::PrepareAliasFolder(program.bin, false, program.data);
    EXPECT_EQ(Bytes(folder.path / "Vokabel.DB"), words);

    // An installed program's folder is the system's even where root may write
    // into it; a build folder (its files beside the program) keeps the table there.
    EXPECT_TRUE(setup::PrepareAliasFolder(program.bin, true, program.data).inUserData);
    std::ofstream(program.bin / "hirakata.txt") << "\n";
    EXPECT_EQ(setup::PrepareAliasFolder(program.bin, true, program.data).path, program.bin / "Database");
    fs::remove(program.bin / "hirakata.txt");

    // Without a shipped table one is made afresh.
    fs::remove(shipped);
    const fs::path otherData = dir.path() / "other";
    ExpectUsableTable(setup::PrepareAliasFolder(program.bin, false, otherData).path);
}

TEST(AliasFolder, WritabilityIsTriedWithAFileThatIsRemovedAgain) {
    test::TempFolder dir;
    EXPECT_TRUE(setup::CanCreateFilesIn(dir.path()));
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_FALSE(setup::CanCreateFilesIn(dir.path() / "missing"));
    if (::geteuid() != 0) {  // the permission bits do not stop root
        const fs::path locked = dir.path() / "locked";
        fs::create_directory(locked);
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(setup::CanCreateFilesIn(locked));
        fs::permissions(locked, fs::perms::owner_all);
    }
}

TEST(ProgramFiles, ShippedFilesAreFoundBesideTheProgramOrInTheSharedFolder) {
    test::TempFolder dir;
    const fs::path bin = dir.path() / "bin";
    const fs::path shared = dir.path() / "share" / "morvanta";
    fs::create_directories(bin);
    fs::create_directories(shared);
    EXPECT_EQ(setup::ShippedFile(bin, "hirakata.txt"), bin / "hirakata.txt") << "missing: named beside";
    { std::ofstream(shared / "hirakata.txt") << "a"; }
    EXPECT_EQ(setup::ShippedFile(bin, "hirakata.txt"), shared / "hirakata.txt");
    { std::ofstream(bin / "hirakata.txt") << "a"; }
    EXPECT_EQ(setup::ShippedFile(bin, "hirakata.txt"), bin / "hirakata.txt");
}

}  // namespace
}  // namespace morvanta
