// The kana change step on every keystroke: save the kana field as RTF, cut the
// escape run, romanise, fill the Hepburn field; against the romanisation alone.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "offscreen_bench_main.h"
#include "app/tform1.h"
#include "entry/entry_page.h"
#include "platform/dialogs.h"
#include "support/temp_table.h"
#include "text/escape_runs.h"
#include "text/rich_text.h"

namespace {

QString KanaText(int count) {
    const QString syllables = QStringLiteral("かなきゃくちょっとシャツがっこうにいったみゃく");
    QString out;
    for (int i = 0; i < count; ++i) out += syllables[i % syllables.size()];
    return out;
}

struct Window {
    Window() {
        table = morvanta::test::MakeTempTable();
        form = std::make_unique<morvanta::app::TForm1>(morvanta::app::TForm1Options{
            table->configFile, QString::fromStdString(table->folder.path().string()), &dialogs});
    }
    std::unique_ptr<morvanta::test::TempTable> table;
    morvanta::platform::ScriptedDialogs dialogs;
    std::unique_ptr<morvanta::app::TForm1> form;
};

Window& TheWindow() {
    static Window window;
    return window;
}

void BM_KanaChangeStep(benchmark::State& state) {
    morvanta::entry::EntryPage& page = *TheWindow().form->entryPage;
    page.HiraKataEdit->setText(KanaText(static_cast<int>(state.range(0))));
    for (auto _ : state) page.HiraKataEditChange();
    benchmark::DoNotOptimize(page.HepburnEdit->text());
}
BENCHMARK(BM_KanaChangeStep)->Arg(10)->Arg(4000)->Unit(benchmark::kMicrosecond);

void BM_RomanisationAlone(benchmark::State& state) {
    const std::string run = morvanta::text::IsolateRtfEscapes(
        morvanta::text::PlainTextToRtf(KanaText(static_cast<int>(state.range(0))).toStdString()));
    for (auto _ : state) benchmark::DoNotOptimize(morvanta::text::KanaToHepburn(run));
}
BENCHMARK(BM_RomanisationAlone)->Arg(10)->Arg(4000)->Unit(benchmark::kMicrosecond);

// Both in one run, for the ratio of the whole step to the romanisation.
void BM_KanaChangeOverRomanisation(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    morvanta::entry::EntryPage& page = *TheWindow().form->entryPage;
    page.HiraKataEdit->setText(KanaText(count));
    const std::string run = morvanta::text::IsolateRtfEscapes(
        morvanta::text::PlainTextToRtf(KanaText(count).toStdString()));
    double step = 0, romanise = 0;
    constexpr int kRounds = 50;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < kRounds; ++i) page.HiraKataEditChange();
        auto t1 = std::chrono::steady_clock::now();
        for (int i = 0; i < kRounds; ++i) benchmark::DoNotOptimize(morvanta::text::KanaToHepburn(run));
        auto t2 = std::chrono::steady_clock::now();
        step += std::chrono::duration<double>(t1 - t0).count();
        romanise += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["step_us"] = step / (static_cast<double>(state.iterations()) * kRounds) * 1e6;
    state.counters["step_over_romanisation"] = step / romanise;
}
BENCHMARK(BM_KanaChangeOverRomanisation)->Arg(10)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return morvanta::bench::RunOffscreenBenchmarks(argc, argv, [] { TheWindow().form.reset(); });
}
