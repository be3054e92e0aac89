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
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        result_ = db_ ? sqlite3_errmsg(db_) : "kein Speicher";
        sqlite3_close_v2(db_);
        db_ = nullptr;
        done_.store(true, std::memory_order_release);
        return;
    }
    sqlite3_busy_timeout(db_, 5000);
    // The check reads every page once: mapped, it costs no copy per page.
    sqlite3_exec(db_, "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);
    thread_ = std::thread([this] {
        result_ = Run(db_);
        if (result_.empty()) {
            try {
                Statement counts(db_, "SELECT (SELECT count(*) FROM Vokabel) = (SELECT count(*) FROM VokabelOrder)");
                orderInStep_ = counts.step() && counts.columnInt(0) != 0;
            } catch (const EngineError&) {
                orderInStep_ = false;
            }
        }
        done_.store(true, std::memory_order_release);
    });
}

IntegrityCheck::~IntegrityCheck() {
    if (thread_.joinable()) {
        if (!done()) sqlite3_interrupt(db_);
        thread_.join();
    }
    sqlite3_close_v2(db_);
}

const std::string& IntegrityCheck::result() {
    if (thread_.joinable()) thread_.join();
    return result_;
}

}  // namespace morvanta::store
