// Start-up of the main window on 65,535 words against start-up on an empty
// table, side by side in one run: on a table where every word is marked (as the
// entry page stores them, so the quiz selection of the start-up holds them all)
// and on one where every other word is marked. Start-up lasts until the window
// is shown and the events posted meanwhile have run: then the quiz page shows
// its first question and the learner can act; goal: large_over_empty of the
// whole process within goal_max_ratio (1.5). And the process's peak memory over the whole start-up,
// the check of the table and the daily copy beside the window included, against
// its memory once that work has ended; goal: within goal_max_ratio (1.2).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "app/tform1.h"
#include "bench_window.h"
#include "offscreen_bench_main.h"
#include "platform/dialogs.h"
#include "quiz/quiz_page.h"
#include "support/bench_support.h"

namespace {

using morvanta::bench::Clock;
using morvanta::bench::Seconds;
using morvanta::test::TempTable;

constexpr int kWords = 65535;

TempTable& EmptyTable() {
    static auto table = morvanta::test::MakeTempTable();
    return *table;
}

// arg 0: every word marked; 1: every other word marked.
TempTable& LargeTable(int marking) {
    static auto allMarked = morvanta::test::MakeFilledTable(kWords, morvanta::test::EnteredWord);
    static auto halfMarked = morvanta::test::MakeFilledTable(kWords, [](int n) {
        morvanta::store::Record word = morvanta::test::EnteredWord(n);
        word[12] = n % 2 == 0;  // Marked
        return word;
    });
    return marking == 0 ? *allMarked : *halfMarked;
}

int Selected(int marking) { return marking == 0 ? kWords : (kWords + 1) / 2; }

// The seconds from creating the window until the learner can act; closing it is not timed.
double StartWindow(TempTable& table, int selected) {
    morvanta::platform::ScriptedDialogs dialogs;
    const auto start = Clock::now();
    morvanta::app::TForm1 form(morvanta::app::TForm1Options{
        table.configFile, QString::fromStdString(table.folder.path().string()), &dialogs});
    form.show();
    QApplication::processEvents();
    const double seconds = Seconds(start);
    if (!dialogs.messages.isEmpty()) throw std::runtime_error("start-up reported a message");
    const QString progress = selected == 0 ? QStringLiteral("Keine Vokabel ausgewählt")
                                           : QStringLiteral("0/%1").arg(selected);
    if (form.quizPage->Label30->text() != progress) throw std::runtime_error("the quiz was not ready");
    return seconds;
}

// Starts on the empty and on the large table in turn and reports both and their
// ratio; the large start is the iteration's time.
template <typename Start>
void StartRatio(benchmark::State& state, Start start) {
    const int marking = static_cast<int>(state.range(0));
    TempTable& empty = EmptyTable();
    TempTable& large = LargeTable(marking);
    double emptyTotal = 0, largeTotal = 0;
    for (auto _ : state) {
        emptyTotal += start(empty, 0);
        const double l = start(large, Selected(marking));
        largeTotal += l;
        state.SetIterationTime(l);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["empty_ms"] = emptyTotal / n * 1e3;
    state.counters["large_ms"] = largeTotal / n * 1e3;
    state.counters["large_over_empty"] = largeTotal / emptyTotal;
}

// The window alone, in this process.
void BM_WindowStartRatio(benchmark::State& state) {
    StartRatio(state, StartWindow);
    state.counters["peak_rss_MB"] = static_cast<double>(morvanta::test::ProcStatusKb("VmHWM:")) / 1024.0;
}
BENCHMARK(BM_WindowStartRatio)->ArgName("half_marked")->Arg(0)->Arg(1)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A whole process: from its start until the window is shown and the posted events have run.
double RunProbe(TempTable& table) {
    const std::string probe = QCoreApplication::applicationDirPath().toStdString() + "/startup_probe";
    const std::string config = table.configFile.string();
    const std::string folder = table.folder.path().string();
    char* args[] = {const_cast<char*>(probe.c_str()), const_cast<char*>(config.c_str()),
                    const_cast<char*>(folder.c_str()), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, probe.c_str(), nullptr, nullptr, args, environ) != 0)
        throw std::runtime_error("cannot start " + probe);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the start-up probe failed");
    return Seconds(start);
}

void BM_ProcessStartRatio(benchmark::State& state) {
    StartRatio(state, [](TempTable& table, int) { return RunProbe(table); });
    state.counters["goal_max_ratio"] = 1.5;
}
BENCHMARK(BM_ProcessStartRatio)->ArgName("half_marked")->Arg(0)->Arg(1)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A whole process on the large table, left running until its start-up work is done.
void BM_ProcessPeakMemory(benchmark::State& state) {
    TempTable& large = LargeTable(0);
    const std::string probe = QCoreApplication::applicationDirPath().toStdString() + "/startup_probe";
    const std::string command = probe + " '" + large.configFile.string() + "' '" +
                                large.folder.path().string() + "' --settled";
    double peak = 0, steady = 0;
    for (auto _ : state) {
        std::FILE* pipe = popen(command.c_str(), "r");
        long p = 0, s = 0;
        if (!pipe || std::fscanf(pipe, "%ld %ld", &p, &s) != 2) throw std::runtime_error("the probe failed");
        pclose(pipe);
        peak += double(p);
        steady += double(s);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["peak_MB"] = peak / n / 1024.0;
    state.counters["steady_MB"] = steady / n / 1024.0;
    state.counters["peak_over_steady"] = peak / steady;
    state.counters["goal_max_ratio"] = 1.2;
}
BENCHMARK(BM_ProcessPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return morvanta::bench::RunOffscreenBenchmarks(argc, argv);
}
