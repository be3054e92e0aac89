#pragma once
// Consistent copies of the table file, taken with SQLite's backup API while the
// program may be using the file, in the folder "Backup" beside it.

#include <atomic>
#include <filesystem>
#include <string_view>

namespace morvanta::store {

inline constexpr int kDefaultBackupCount = 7;

// <folder of the table file>/Backup
std::filesystem::path BackupFolderOf(const std::filesystem::path& tableFile);

// Copies the table file to target, completely or not at all (a temporary file
// beside the target is renamed over it). Throws EngineError, also when stop is
// set while it copies (the program ends).
void CopyTable(const std::filesystem::path& tableFile, const std::filesystem::path& target,
               const std::atomic<bool>* stop = nullptr);

// Today's copy "Vokabel-YYYY-MM-DD.DB" (isoDate is "YYYY-MM-DD"), unless there is one
// (with `refresh`, a copy of the table as it is now replaces it, in one step);
// then only the newest `keep` dated copies stay. Temporary files of copies killed
// mid-way are removed first, unless a running copy still writes them. Returns the
// file written, or an empty path when today's copy existed. Throws EngineError.
std::filesystem::path WriteDailyBackup(const std::filesystem::path& tableFile,
                                       std::string_view isoDate, int keep,
                                       const std::atomic<bool>* stop = nullptr, bool refresh = false);

// The table as it is now (its last committed state) before a change of the
// learner's own statement is kept: "Vokabel-vor-SQL-YYYY-MM-DD-hhmmss.DB"; only
// the newest `keep` such copies stay. Returns the file. Throws EngineError.
std::filesystem::path WriteCopyBeforeChange(const std::filesystem::path& tableFile, int keep);

// Today's date as "YYYY-MM-DD" in local time.
std::string TodayIso();

}  // namespace morvanta::store
