#pragma once
// Progress of long work as a bar on stderr, drawn only when stderr is a
// terminal, and Ctrl+C as the request to stop.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

#include "core/exchange/run_progress.h"
#include "store/database.h"

namespace morvanta::cli {

// For work that can stop: from now on the first Ctrl+C (or SIGTERM) only asks
// it to stop; a second one ends the program at once.
void WatchInterrupt();
// Set once Ctrl+C was pressed; the backup's copy stops on it.
const std::atomic<bool>& InterruptFlag();
bool Interrupted();
// The table's long statements stop once Ctrl+C was pressed (EngineError::isCancelled).
store::Database::LongWork& InterruptObserver();

class TerminalProgress {
public:
    // total: the amount of work (records, bytes); 0 or less draws no bar.
    TerminalProgress(std::string label, std::int64_t total);
    ~TerminalProgress() { finish(); }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // For the core's long runs: false once Ctrl+C was pressed.
    exchange::ProgressFn callback();
    bool step(std::int64_t done);
    bool cancelled() const { return cancelled_; }
    // Clears the bar's line, so what follows starts on a clean line.
    void finish();

private:
    void draw(int percent);

    std::string label_;
    std::int64_t total_;
    bool visible_;
    bool drawn_ = false;
    bool cancelled_ = false;
    int shownPercent_ = -1;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace morvanta::cli
