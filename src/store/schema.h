#pragma once
// The layout of the table file as a ladder of versions: each rung holds the tables
// its version adds and the step that brings a file of the version below up to it.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvanta::store {

class Database;

// Version in PRAGMA user_version; a file with a higher number is refused, an older
// one is brought up to date when it is opened. The top rung of the ladder.
inline constexpr int kSchemaVersion = 6;

// Collation of the key order in files of version 1 (registered on every connection,
// so such a file can still be read and migrated).
inline constexpr std::string_view kKeyCollation = "MORVANTA_KEY";

// The sixteen column names quoted for SQL, comma separated, in field order.
std::string_view FieldListSql();

// Leads the reasons why a file cannot serve as the vocabulary table.
std::string UnusableFile(const std::filesystem::path& file);

// Makes the current layout in a new, empty file: every rung climbed from nothing.
// Runs inside the caller's transaction.
void MakeLayout(Database& db);

// Empty tables of the words' memory in memory, in front of the file's: for a file
// that takes no writes while its memory must be replayed afresh.
void MakeMemoryStandIn(Database& db);

// Filling the words' memory anew in bulk (in the caller's transaction): its rows
// and its indexes go first, and the indexes come back, sorted once, after the
// rows are in. Acts on the stand-ins when there are any.
void ClearMemoryForRefill(Database& db);
void IndexRefilledMemory(Database& db);

// What an opened file's layout lacks against the current one.
class LayoutPlan {
public:
    // Reads the layout without writing. Throws EngineError when the file comes from
    // a newer version or holds no vocabulary table as this program knows it.
    static LayoutPlan Read(Database& db);

    // Something is to be brought up to date or built anew; the file should be
    // checked for damage before carryOut().
    bool due() const { return version_ < kSchemaVersion || !broken_.empty(); }

    // A file that takes writes is copied into the backup folder, then every due
    // rung runs in one transaction. One that takes none gets stand-ins in memory
    // for the tables it lacks, so that it can still be read.
    void carryOut(Database& db) const;

private:
    int version_ = 0;
    std::vector<int> broken_;  // rungs whose tables are missing or not as made
};

}  // namespace morvanta::store
