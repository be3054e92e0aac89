// Start-up of the main window: an empty table against 65,535 words.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "offscreen_bench_main.h"
#include "app/tform1.h"
#include "platform/dialogs.h"
#include "store/database.h"
#include "support/bench_support.h"

namespace {

using morvanta::test::TempTable;

void StartWindow(TempTable& table) {
    morvanta::platform::ScriptedDialogs dialogs;
    morvanta::app::TForm1 form(morvanta::app::TForm1Options{
        table.configFile, QString::fromStdString(table.folder.path().string()), &dialogs});
    form.show();
    QApplication::processEvents();
    if (!dialogs.messages.isEmpty()) throw std::runtime_error("start-up reported a message");
}

TempTable& EmptyTable() {
    static auto table = morvanta::test::MakeTempTable();
    return *table;
}

TempTable& LargeTable() {
    static auto table = [] {
        auto filled = morvanta::test::MakeFilledTable(65535);
        // The generator writes straight into the table: the first opening gives its
        // words their place in the key order once. Every start timed is a later one.
        morvanta::store::Database::open(filled->tableFile)->awaitCheck();
        return filled;
    }();
    return *table;
}

void BM_StartUpEmptyTable(benchmark::State& state) {
    TempTable& table = EmptyTable();
    for (auto _ : state) StartWindow(table);
}
BENCHMARK(BM_StartUpEmptyTable)->Unit(benchmark::kMillisecond);

void BM_StartUpLargeTable(benchmark::State& state) {
    TempTable& table = LargeTable();
    for (auto _ : state) StartWindow(table);
    state.counters["peak_rss_MB"] = static_cast<double>(morvanta::test::ProcStatusKb("VmHWM:")) / 1024.0;
}
BENCHMARK(BM_StartUpLargeTable)->Unit(benchmark::kMillisecond);

// A whole process: from its start until the main window is shown.
double RunProbe(TempTable& table) {
    const std::string probe =
        QCoreApplication::applicationDirPath().toStdString() + "/startup_probe";
    const std::string config = table.configFile.string();
    const std::string folder = table.folder.path().string();
    char* args[] = {const_cast<char*>(probe.c_str()), const_cast<char*>(config.c_str()),
                    const_cast<char*>(folder.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, probe.c_str(), nullptr, nullptr, args, environ) != 0)
        throw std::runtime_error("cannot start " + probe);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the start-up probe failed");
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Process start to window shown, empty against large table, in one run.
void BM_ProcessStartRatioLargeToEmpty(benchmark::State& state) {
    TempTable& empty = EmptyTable();
    TempTable& large = LargeTable();
    double emptyTotal = 0, largeTotal = 0;
    for (auto _ : state) {
        emptyTotal += RunProbe(empty);
        largeTotal += RunProbe(large);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["empty_ms"] = emptyTotal / n * 1e3;
    state.counters["large_ms"] = largeTotal / n * 1e3;
    state.counters["large_over_empty"] = largeTotal / emptyTotal;
}
BENCHMARK(BM_ProcessStartRatioLargeToEmpty)->Unit(benchmark::kMillisecond)->Iterations(10);

// The window alone (no process start), empty against large table, in one run.
void BM_StartUpRatioLargeToEmpty(benchmark::State& state) {
    TempTable& empty = EmptyTable();
    TempTable& large = LargeTable();
    double emptyTotal = 0, largeTotal = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        StartWindow(empty);
        auto t1 = std::chrono::steady_clock::now();
        StartWindow(large);
        auto t2 = std::chrono::steady_clock::now();
        emptyTotal += std::chrono::duration<double>(t1 - t0).count();
        largeTotal += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["large_over_empty"] = largeTotal / emptyTotal;
}
BENCHMARK(BM_StartUpRatioLargeToEmpty)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    return morvanta::bench::RunOffscreenBenchmarks(argc, argv);
}
