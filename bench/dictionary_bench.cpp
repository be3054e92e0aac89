// The dictionary's look-ups on the installed Japanese-German dictionary against
// a linear scan of its index for the same prefix: the first look-up (which reads
// and sorts the index) against one scan that reads the file, and later look-ups
// against a scan of the index already in memory. A look-up also inflates and
// parses its entries; the scans only find the lines. Then every prefix of
// everyday words as the kana field holds them while they are typed, an open
// romaji syllable included: the slowest and the mean look-up.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "core/dictionary/dictionary.h"

namespace {

using namespace morvanta;
using Clock = std::chrono::steady_clock;

constexpr std::array<std::string_view, 6> kTyped = {"い", "いえ", "た", "たべる", "家", "食"};

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return std::move(text).str();
}

// The headword lines that begin with `prefix`, found line by line.
std::size_t LinearScan(const std::string& index, std::string_view prefix) {
    std::size_t found = 0;
    for (std::size_t pos = 0; pos < index.size();) {
        std::size_t end = index.find('\n', pos);
        if (end == std::string::npos) end = index.size();
        if (std::string_view(index).substr(pos, end - pos).starts_with(prefix)) ++found;
        pos = end + 1;
    }
    return found;
}

void SetRatio(benchmark::State& state, double ours, double scan) {
    state.counters["ours_ms"] = 1e3 * ours / static_cast<double>(state.iterations());
    state.counters["scan_ms"] = 1e3 * scan / static_cast<double>(state.iterations());
    state.counters["ratio"] = scan / ours;  // above 1: faster than the scan
}

bool Installed(benchmark::State& state) {
    if (dict::Dictionary(dict::InstalledDictionary()).available()) return true;
    state.SkipWithError("dict-freedict-jpn-deu is not installed");
    return false;
}

void BM_FirstLookup(benchmark::State& state) {
    if (!Installed(state)) return;
    const dict::DictionaryFiles files = dict::InstalledDictionary();
    double ours = 0, scan = 0;
    for (auto _ : state) {
        auto t = Clock::now();
        dict::Dictionary fresh(files);
        benchmark::DoNotOptimize(fresh.lookup("いえ"));
        ours += Seconds(t);
        t = Clock::now();
        benchmark::DoNotOptimize(LinearScan(ReadFile(files.index), "いえ"));
        scan += Seconds(t);
    }
    SetRatio(state, ours, scan);
}
BENCHMARK(BM_FirstLookup)->Unit(benchmark::kMillisecond)->Iterations(5);

// The entry page prepares the dictionary when it is shown; the learner's first
// keystroke comes a moment later. The look-up then waits for nothing left.
void BM_FirstLookupPrepared(benchmark::State& state) {
    if (!Installed(state)) return;
    const dict::DictionaryFiles files = dict::InstalledDictionary();
    double ours = 0;
    for (auto _ : state) {
        dict::Dictionary fresh(files);
        fresh.prepare();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const auto t = Clock::now();
        benchmark::DoNotOptimize(fresh.lookup("いえ"));
        ours += Seconds(t);
    }
    state.counters["ours_ms"] = 1e3 * ours / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FirstLookupPrepared)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LaterLookup(benchmark::State& state) {
    if (!Installed(state)) return;
    const dict::DictionaryFiles files = dict::InstalledDictionary();
    dict::Dictionary warm(files);
    warm.lookup("あ");
    const std::string index = ReadFile(files.index);
    double ours = 0, scan = 0;
    std::size_t n = 0;
    for (auto _ : state) {
        const std::string_view typed = kTyped[n++ % kTyped.size()];
        auto t = Clock::now();
        benchmark::DoNotOptimize(warm.lookup(typed));
        ours += Seconds(t);
        t = Clock::now();
        benchmark::DoNotOptimize(LinearScan(index, typed));
        scan += Seconds(t);
    }
    SetRatio(state, ours, scan);
}
BENCHMARK(BM_LaterLookup)->Unit(benchmark::kMillisecond)->Iterations(60);

// The kana field while "kyou", "hon", "taberu", "watashi", "ikimasu", "shinbun" are typed.
constexpr std::array<std::string_view, 27> kWhileTyping = {
    "き", "きy", "きょ", "きょう", "ほ", "ほn", "ほん", "た", "たb", "たべ", "たべr", "たべる", "わ", "わt",
    "わた", "わたsh", "わたし", "い", "いk", "いき", "いきm", "いきま", "いきます", "し", "しn", "しんb", "しんぶん"};

void BM_EveryPrefix(benchmark::State& state) {
    if (!Installed(state)) return;
    dict::Dictionary warm(dict::InstalledDictionary());
    warm.lookup("あ");
    double total = 0, slowest = 0;
    std::size_t n = 0;
    for (auto _ : state) {
        for (std::string_view typed : kWhileTyping) {
            const auto t = Clock::now();
            benchmark::DoNotOptimize(warm.lookup(typed));
            const double s = Seconds(t);
            total += s;
            slowest = std::max(slowest, s);
            ++n;
        }
    }
    state.counters["mean_ms"] = 1e3 * total / static_cast<double>(n);
    state.counters["slowest_ms"] = 1e3 * slowest;
}
BENCHMARK(BM_EveryPrefix)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
