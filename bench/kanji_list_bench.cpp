// How the kanji list grows with the selection: the export from the click until
// the file is closed, in the main window, for the words entered before a day,
// 8,192, 16,384, 32,768 and 65,535 words: prefixes of one list of words a
// learner entered, so the words come from one distribution and only their
// number changes. Time grows as words^growth_exponent; 1 is linear.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench_window.h"
#include "exchange/export_page.h"
#include "offscreen_bench_main.h"
#include "support/bench_support.h"

namespace {

using namespace morvanta;
using bench::Clock;
using bench::Seconds;

const std::vector<int> kSizes = {8192, 16384, 32768, 65535};

std::unique_ptr<bench::BenchWindow> gWindow;

// The selection of the first `words` words, as the criterion "Älter als" makes it.
void SelectFirst(app::TForm1& form, int words) {
    form.Query1.run({"SELECT * FROM Vokabel WHERE DateEntered < \"" + test::EnteredBefore(words) + "\";"});
    if (form.Query1.recordCount() != words) throw std::runtime_error("the selection is not the prefix");
}

// Least squares slope of log(time) over log(words).
double GrowthExponent(const std::vector<double>& seconds) {
    double mx = 0, my = 0;
    const double n = double(kSizes.size());
    for (size_t i = 0; i < kSizes.size(); ++i) {
        mx += std::log(double(kSizes[i])) / n;
        my += std::log(seconds[i]) / n;
    }
    double sxy = 0, sxx = 0;
    for (size_t i = 0; i < kSizes.size(); ++i) {
        const double dx = std::log(double(kSizes[i])) - mx;
        sxy += dx * (std::log(seconds[i]) - my);
        sxx += dx * dx;
    }
    return sxy / sxx;
}

void BM_KanjiListGrowth(benchmark::State& state) {
    if (!gWindow) gWindow = std::make_unique<bench::BenchWindow>(test::MakeFilledTable(kSizes.back(), test::EnteredWord));
    bench::BenchWindow& w = *gWindow;
    const std::string file = bench::OutputFile(w.table->folder.path(), "kanji.rtf");
    std::vector<double> seconds(kSizes.size(), 0.0);
    std::vector<double> kanji(kSizes.size(), 0.0);
    for (auto _ : state) {
        double total = 0;
        for (size_t i = 0; i < kSizes.size(); ++i) {
            SelectFirst(*w.form, kSizes[i]);
            w.dialogs.fileAnswers << QString::fromStdString(file);
            const auto start = Clock::now();
            w.form->exportPage->Button10Click();
            const double s = Seconds(start);
            w.requireNoMessage("kanji list");
            seconds[i] += s;
            total += s;
            kanji[i] = double(w.form->exportPage->knownCharacters().lines().size() - 167);
        }
        state.SetIterationTime(total);
    }
    const double n = double(state.iterations());
    for (size_t i = 0; i < kSizes.size(); ++i) {
        const std::string size = std::to_string(kSizes[i]);
        state.counters["ms_" + size] = 1e3 * seconds[i] / n;
        state.counters["kanji_" + size] = kanji[i];
    }
    state.counters["per_doubling"] = std::pow(seconds.back() / seconds.front(), 1.0 / double(kSizes.size() - 1));
    state.counters["growth_exponent"] = GrowthExponent(seconds);
    std::remove(file.c_str());
}
BENCHMARK(BM_KanjiListGrowth)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    return morvanta::bench::RunOffscreenBenchmarks(argc, argv, [] { gWindow.reset(); });
}
