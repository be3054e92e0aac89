#pragma once
// SQLite's quick check of a table file, run on its own read-only connection
// beside the program's work at the lowest priority, reading the file in steps
// through a small cache, so a large table neither delays the window nor swells
// the program's memory.

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "store/database.h"


namespace morvanta::store {

class IntegrityCheck {
public:
    // Starts checking file at once.
    explicit IntegrityCheck(const std::filesystem::path& file);
    // Stops a check still running.
    ~IntegrityCheck();
    IntegrityCheck(const IntegrityCheck&) = delete;
    IntegrityCheck& operator=(const IntegrityCheck&) = delete;

    bool done() const { return done_.load(std::memory_order_acquire); }
    // Waits for the end; empty when the file is sound, else what is damaged.
    const std::string& result();
    // After result(): whether every word has its entry in the order table and no
    // entry outlived its word (outside tools may have replaced words).
    bool orderInStep() const { return orderInStep_; }

    // The same check, run at once on a connection of the caller's. lackOfMemory, when
    // given, tells a check that could not run for want of memory from a verdict.
    static std::string Run(sqlite3* db, bool* lackOfMemory = nullptr);

private:
    ConnectionHandle db_;  // declared first: closed after the thread has ended
    std::thread thread_;
    std::string result_;
    bool orderInStep_ = true;
    std::atomic<bool> done_{false};
    std::atomic<bool> stop_{false};
};

}  // namespace morvanta::store
