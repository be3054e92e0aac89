#include "store/backup.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "store/database.h"
#include "store/engine_error.h"
#include "store/system_reason.h"

namespace morvanta::store {

namespace fs = std::filesystem;

namespace {

constexpr char kNotCopied[] = "Die Sicherung konnte nicht geschrieben werden.";

ConnectionHandle OpenFile(const fs::path& file, int flags) {
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
    ConnectionHandle handle(raw);
    if (rc != SQLITE_OK)
        ThrowSqliteError(
            raw, rc,
            "Die Datei " + QuotedPath(file) + " kann für die Sicherung nicht geöffnet werden.");
    sqlite3_busy_timeout(raw, 5000);
    return handle;
}

void SyncFile(const fs::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        int error = errno;
        if (fd >= 0) ::close(fd);
        throw EngineError(
            WithDetail("Die Sicherung " + QuotedPath(file) + " konnte nicht geschrieben werden.",
                       SystemReason(error)));
    }
    ::close(fd);
}

bool IsDatedCopy(const std::string& name) {
    // Vokabel-YYYY-MM-DD.DB
    if (name.size() != 21 || name.rfind("Vokabel-", 0) != 0 || name.substr(18) != ".DB") return false;
    for (size_t i = 8; i < 18; ++i) {
        bool dash = i == 12 || i == 15;
        if (dash ? name[i] != '-' : (name[i] < '0' || name[i] > '9')) return false;
    }
    return true;
}

// Vokabel-vor-SQL-YYYY-MM-DD-hhmmss.DB
bool IsCopyBeforeChange(const std::string& name) {
    constexpr std::string_view lead = "Vokabel-vor-SQL-";
    if (name.size() != lead.size() + 20 || name.rfind(lead, 0) != 0 || !name.ends_with(".DB")) return false;
    for (size_t i = lead.size(); i < lead.size() + 17; ++i) {
        const size_t at = i - lead.size();
        const bool dash = at == 4 || at == 7 || at == 10;
        if (dash ? name[i] != '-' : (name[i] < '0' || name[i] > '9')) return false;
    }
    return true;
}

// Only the newest `keep` copies of one kind stay; the date in the name sorts by age.
void KeepNewest(const fs::path& folder, bool (*ofKind)(const std::string&), int keep) {
    std::error_code ec;
    std::vector<std::string> copies;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (ofKind(name)) copies.push_back(name);
    }
    std::sort(copies.begin(), copies.end());
    const size_t kept = static_cast<size_t>(std::max(keep, 1));
    for (size_t i = 0; i + kept < copies.size(); ++i) fs::remove(folder / copies[i], ec);
}

}  // namespace

fs::path BackupFolderOf(const fs::path& tableFile) { return tableFile.parent_path() / "Backup"; }

void CopyTable(const fs::path& tableFile, const fs::path& target, const std::atomic<bool>* stop) {
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (ec)
        throw EngineError(WithDetail("Der Ordner " + QuotedPath(target.parent_path()) +
                                         " für die Sicherung konnte nicht angelegt werden.",
                                     SystemReason(ec.value())));
    std::mt19937 random(std::random_device{}());
    const fs::path temp = target.parent_path() / (".backup-" + std::to_string(random() % 1000000) + ".tmp");
    try {
        ConnectionHandle source = OpenFile(tableFile, SQLITE_OPEN_READONLY);
        ConnectionHandle copy = OpenFile(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        sqlite3_backup* backup = sqlite3_backup_init(copy.get(), "main", source.get(), "main");
        if (backup == nullptr)
            ThrowSqliteError(copy.get(), sqlite3_errcode(copy.get()), kNotCopied);
        // In steps, so the end of the program need not wait for a whole copy.
        int rc = SQLITE_OK;
        while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (stop != nullptr && stop->load()) break;
            rc = sqlite3_backup_step(backup, 2048);
        }
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE) {
            if (stop != nullptr && stop->load()) throw EngineError("Die Sicherung wurde abgebrochen.");
            ThrowSqliteError(copy.get(), rc, kNotCopied);
        }
        // A copy stands on its own: no log file beside it.
        sqlite3_exec(copy.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        copy.reset();
        SyncFile(temp);
        fs::rename(temp, target, ec);
        if (ec)
            throw EngineError(WithDetail(
                "Die Sicherung " + QuotedPath(target) + " konnte nicht geschrieben werden.",
                SystemReason(ec.value())));
    } catch (...) {
        fs::remove(temp, ec);
        fs::remove(temp.string() + "-journal", ec);
        throw;
    }
}

fs::path WriteDailyBackup(const fs::path& tableFile, std::string_view isoDate, int keep,
                          const std::atomic<bool>* stop) {
    const fs::path folder = BackupFolderOf(tableFile);
    const fs::path target = folder / ("Vokabel-" + std::string(isoDate) + ".DB");
    std::error_code ec;
    if (fs::exists(target, ec)) return {};
    CopyTable(tableFile, target, stop);
    KeepNewest(folder, IsDatedCopy, keep);
    return target;
}

fs::path WriteCopyBeforeChange(const fs::path& tableFile, int keep) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    const fs::path folder = BackupFolderOf(tableFile);
    const fs::path target = folder / ("Vokabel-vor-SQL-" + std::string(stamp) + ".DB");
    // Two changes within one second: the first copy holds the older state, and stays.
    std::error_code ec;
    if (fs::exists(target, ec)) return target;
    CopyTable(tableFile, target);
    KeepNewest(folder, IsCopyBeforeChange, keep);
    return target;
}

std::string TodayIso() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

}  // namespace morvanta::store
