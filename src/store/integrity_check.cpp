#include "store/integrity_check.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>

#include "store/engine_error.h"
#include "store/statement.h"

namespace morvanta::store {

namespace {

// The check yields to everything else the machine does: the lowest CPU priority,
// and disk reads only when the disk is otherwise idle. Both are per thread on Linux.
void LowerOwnPriority() {
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    ::setpriority(PRIO_PROCESS, thread, 19);
    constexpr int kWhoProcess = 1, kClassIdle = 3, kClassShift = 13;
    ::syscall(SYS_ioprio_set, kWhoProcess, static_cast<int>(thread), kClassIdle << kClassShift);
}

// Pages read through a small cache of the check's own: the file is read in
// steps, never mapped or held whole, so the program's memory stays what it is.
constexpr int kCheckCacheKiB = 2048;

}  // namespace

std::string IntegrityCheck::Run(sqlite3* db, bool* lackOfMemory) {
    if (lackOfMemory != nullptr) *lackOfMemory = false;
    try {
        Statement check(db, "PRAGMA quick_check(3)");
        std::string found;
        while (check.step()) {
            std::string_view line = check.columnText(0);
            if (line == "ok") return {};
            if (!found.empty()) found += "; ";
            found += line;
        }
        return found.empty() ? std::string("keine Auskunft") : found;
    } catch (const EngineError& e) {
        if (lackOfMemory != nullptr) *lackOfMemory = (e.code() & 0xff) == SQLITE_NOMEM;
        return e.what();
    }
}

IntegrityCheck::IntegrityCheck(const std::filesystem::path& file) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    db_.reset(raw);  // closed even when the open failed
    if (rc != SQLITE_OK) {
        result_ = raw ? sqlite3_errmsg(raw) : "kein Speicher";
        done_.store(true, std::memory_order_release);
        return;
    }
    sqlite3_busy_timeout(raw, 5000);
    sqlite3_exec(raw, "PRAGMA mmap_size=0", nullptr, nullptr, nullptr);
    sqlite3_exec(raw, ("PRAGMA cache_size=-" + std::to_string(kCheckCacheKiB)).c_str(), nullptr,
                 nullptr, nullptr);
    thread_ = std::thread([this, raw] {
        LowerOwnPriority();
        // A learner's statement beside the check may hold the engine's memory up to
        // its bound for a while: want of memory says nothing about the file.
        bool lackOfMemory = false;
        for (int attempt = 0; attempt < 100 && !stop_.load(); ++attempt) {
            result_ = Run(raw, &lackOfMemory);
            if (!lackOfMemory) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (result_.empty()) {
            try {
                Statement counts(raw, "SELECT (SELECT count(*) FROM Vokabel) = (SELECT count(*) FROM VokabelOrder)");
                orderInStep_ = counts.step() && counts.columnInt(0) != 0;
            } catch (const EngineError&) {
                orderInStep_ = false;
            }
        }
        done_.store(true, std::memory_order_release);
    });
}

IntegrityCheck::~IntegrityCheck() {
    if (!thread_.joinable()) return;
    stop_ = true;
    if (!done()) sqlite3_interrupt(db_.get());
    thread_.join();
}

const std::string& IntegrityCheck::result() {
    if (thread_.joinable()) thread_.join();
    return result_;
}

}  // namespace morvanta::store
