#include "cli/terminal_progress.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace morvanta::cli {

namespace {

std::atomic<bool> interrupted{false};

void OnInterrupt(int) { interrupted.store(true); }

constexpr int kBarWidth = 30;
// Short work shows no bar at all.
constexpr auto kQuietStart = std::chrono::milliseconds(300);

}  // namespace

void WatchInterrupt() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read from the terminal returns, so the quiz ends cleanly.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

const std::atomic<bool>& InterruptFlag() { return interrupted; }

bool Interrupted() { return interrupted.load(); }

store::Database::LongWork& InterruptObserver() {
    class StopOnInterrupt : public store::Database::LongWork {
    public:
        bool keepGoing(std::chrono::milliseconds) override { return !Interrupted(); }
        void done() override {}
    };
    static StopOnInterrupt observer;
    return observer;
}

TerminalProgress::TerminalProgress(std::string label, std::int64_t total)
    : label_(std::move(label)),
      total_(total),
      visible_(total > 0 && ::isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()) {}

void TerminalProgress::finish() {
    if (!drawn_) return;
    drawn_ = false;
    visible_ = false;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
}

exchange::ProgressFn TerminalProgress::callback() {
    return [this](std::int64_t done) { return step(done); };
}

bool TerminalProgress::step(std::int64_t done) {
    if (Interrupted()) {
        cancelled_ = true;
        return false;
    }
    if (!visible_) return true;
    const int percent = int(std::clamp<std::int64_t>(done * 100 / total_, 0, 100));
    if (percent == shownPercent_) return true;
    if (!drawn_ && std::chrono::steady_clock::now() - start_ < kQuietStart) return true;
    draw(percent);
    return true;
}

void TerminalProgress::draw(int percent) {
    shownPercent_ = percent;
    drawn_ = true;
    const int filled = percent * kBarWidth / 100;
    std::string bar(size_t(filled), '#');
    bar.append(size_t(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r%s [%s] %3d %%", label_.c_str(), bar.c_str(), percent);
    std::fflush(stderr);
}

}  // namespace morvanta::cli
