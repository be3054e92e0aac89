#include "store/integrity_check.h"

#include <sqlite3.h>

#include "store/engine_error.h"
#include "store/statement.h"

namespace morvanta::store {

std::string IntegrityCheck::Run(sqlite3* db) {
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
    // The check reads every page once: mapped, it costs no copy per page.
    sqlite3_exec(raw, "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);
    thread_ = std::thread([this, raw] {
        result_ = Run(raw);
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
    if (!done()) sqlite3_interrupt(db_.get());
    thread_.join();
}

const std::string& IntegrityCheck::result() {
    if (thread_.joinable()) thread_.join();
    return result_;
}

}  // namespace morvanta::store
