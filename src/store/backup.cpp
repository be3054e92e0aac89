#include "store/backup.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <memory>
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

bool SameFile(int fd, const fs::path& file) {
    struct stat held {}, named {};
    return ::fstat(fd, &held) == 0 && ::stat(file.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// The temporary file of a copy, locked while the copy is written. The lock is an
// flock: SQLite's own locks are fcntl locks, and the two do not meet.
class TempCopy {
public:
    TempCopy(const fs::path& folder, const fs::path& tableFile) {
        struct stat table {};
        const mode_t mode = ::stat(tableFile.c_str(), &table) == 0 ? (table.st_mode & 0666) : 0644;
        for (int attempt = 0; attempt < 10; ++attempt) {
            std::string name = (folder / ".backup-XXXXXX.tmp").string();
            fd_ = ::mkostemps(name.data(), 4, O_CLOEXEC);
            if (fd_ < 0) throw EngineError(WithDetail(kNotCopied, SystemReason(errno)));
            // A start's clean-up may have taken the file between its making and the lock.
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0 && SameFile(fd_, name)) {
                path_ = name;
                ::fchmod(fd_, mode);  // as readable as the table it copies
                return;
            }
            ::close(fd_);
        }
        fd_ = -1;
        throw EngineError(kNotCopied);
    }
    ~TempCopy() {
        if (fd_ >= 0) ::close(fd_);
    }
    TempCopy(const TempCopy&) = delete;
    TempCopy& operator=(const TempCopy&) = delete;

    const fs::path& path() const { return path_; }
    void sync() const {
        if (::fsync(fd_) != 0)
            throw EngineError(WithDetail(
                "Die Sicherung " + QuotedPath(path_) + " konnte nicht geschrieben werden.",
                SystemReason(errno)));
    }
    // While the lock is held: no other start takes the file for a leftover.
    void remove() const {
        std::error_code ec;
        fs::remove(path_.string() + "-journal", ec);
        fs::remove(path_, ec);
    }

private:
    fs::path path_;
    int fd_ = -1;
};

// Temporary files of copies that were killed, with their journals. One that a
// running copy holds locked is being written and stays.
void RemoveLeftoverCopies(const fs::path& folder) {
    std::error_code ec;
    std::vector<fs::path> temps;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".backup-") && name.ends_with(".tmp")) temps.push_back(entry.path());
    }
    for (const fs::path& temp : temps) {
        const int fd = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) continue;
        // The file may have become a finished copy, or another one, since it was listed.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, temp)) {
            fs::remove(temp.string() + "-journal", ec);
            fs::remove(temp, ec);
        }
        ::close(fd);
    }
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
    const TempCopy temp(target.parent_path(), tableFile);
    try {
        ConnectionHandle source = OpenFile(tableFile, SQLITE_OPEN_READONLY);
        ConnectionHandle copy = OpenFile(temp.path(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
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
        temp.sync();
        fs::rename(temp.path(), target, ec);
        if (ec)
            throw EngineError(WithDetail(
                "Die Sicherung " + QuotedPath(target) + " konnte nicht geschrieben werden.",
                SystemReason(ec.value())));
    } catch (...) {
        temp.remove();
        throw;
    }
}

fs::path WriteDailyBackup(const fs::path& tableFile, std::string_view isoDate, int keep,
                          const std::atomic<bool>* stop, bool refresh) {
    const fs::path folder = BackupFolderOf(tableFile);
    const fs::path target = folder / ("Vokabel-" + std::string(isoDate) + ".DB");
    RemoveLeftoverCopies(folder);
    std::error_code ec;
    if (!refresh && fs::exists(target, ec)) return {};
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
