// The browse page over 65,535 words: a translation search with a leading and
// trailing "%" through "Suchen", and stepping with the navigator through the
// result, against the raw engine running the same LIKE selection on the
// window's own connection in the same run.

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "bench_window.h"
#include "offscreen_bench_main.h"
#include "entry/browse_page.h"
#include "platform/db_controls.h"
#include "store/database.h"
#include "store/schema.h"
#include "support/bench_support.h"

namespace {

using namespace morvanta;
using bench::Clock;
using bench::Seconds;

constexpr int kWords = 65535;

using Window = bench::BenchWindow;

// Made once, and ended in main() while the application still exists.
std::unique_ptr<Window> gWindow;

Window& LargeWindow() {
    if (!gWindow) gWindow = std::make_unique<Window>(test::MakeFilledTable(kWords));
    return *gWindow;
}

// "Suchen" on the page; the number of hits.
int Search(Window& w, const QString& pattern) {
    entry::BrowsePage& page = *w.form->browsePage;
    page.ComboBox1->setCurrentIndex(0);  // Translation
    page.Edit2->setText(pattern);
    page.Button7Click();
    if (!w.dialogs.messages.isEmpty()) throw std::runtime_error("the search reported an error");
    return w.form->Query2.recordCount();
}

// The same selection straight from the engine, on the window's connection: the
// hits chosen first, then read off the order's index (every hit's place in key
// order), and every field of the first hit (what "Suchen" shows) or of every hit
// (what stepping through them shows). The number of hits.
enum class Read { FirstHit, EveryHit };
int RawSearch(Window& w, const std::string& pattern, Read read) {
    auto db = w.form->session().connect("Vokabel");
    store::Statement select = db->prepare(
        "SELECT WordId FROM VokabelOrder WHERE WordId IN (SELECT rowid FROM Vokabel"
        " WHERE Translation1 LIKE ?1 OR Translation2 LIKE ?1 OR Translation3 LIKE ?1)"
        " ORDER BY SortKey, WordId");
    select.bindText(1, pattern);
    std::vector<std::int64_t> hits;
    while (select.step()) hits.push_back(select.columnInt(0));
    store::Statement fields = db->prepare("SELECT * FROM Vokabel WHERE rowid = ?1");
    for (std::size_t i = 0; i < (read == Read::EveryHit ? hits.size() : std::min<std::size_t>(hits.size(), 1)); ++i) {
        fields.bindInt(1, hits[i]);
        if (fields.step())
            for (int c = 0; c < fields.columnCount(); ++c) benchmark::DoNotOptimize(fields.columnText(c));
        fields.reset();
    }
    return static_cast<int>(hits.size());
}

void SetRatio(benchmark::State& state, double ours, double raw, int hits) {
    state.counters["hits"] = hits;
    state.counters["ours_ms"] = 1000 * ours / static_cast<double>(state.iterations());
    state.counters["raw_ms"] = 1000 * raw / static_cast<double>(state.iterations());
    state.counters["ratio"] = ours / raw;
}

// "Suchen" until the first hit is shown, against the raw selection showing the first hit.
void BM_TranslationSearch(benchmark::State& state, const char* pattern) {
    Window& w = LargeWindow();
    double ours = 0, raw = 0;
    int hits = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        hits = Search(w, QString::fromUtf8(pattern));
        const double o = Seconds(start);
        start = Clock::now();
        if (RawSearch(w, pattern, Read::FirstHit) != hits) throw std::runtime_error("different results");
        raw += Seconds(start);
        ours += o;
        state.SetIterationTime(o);
    }
    w.form->browsePage->Button6Click();
    SetRatio(state, ours, raw, hits);
}
BENCHMARK_CAPTURE(BM_TranslationSearch, x, "%x%")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_TranslationSearch, ff, "%ff%")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The search and then "next" on the navigator through every hit, each shown in
// the page's widgets, against the raw selection reading every hit.
void BM_SearchAndStepThrough(benchmark::State& state, const char* pattern) {
    Window& w = LargeWindow();
    platform::DBNavigator& nav = *w.form->browsePage->DBNavigator1;
    double ours = 0, raw = 0;
    int hits = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        hits = Search(w, QString::fromUtf8(pattern));
        for (int i = 1; i < hits; ++i) nav.click(platform::DBNavigator::Next);
        const double o = Seconds(start);
        if (hits > 0 && w.form->Query2.recNo() != hits) throw std::runtime_error("did not reach the end");
        start = Clock::now();
        RawSearch(w, pattern, Read::EveryHit);
        raw += Seconds(start);
        ours += o;
        state.SetIterationTime(o);
    }
    w.form->browsePage->Button6Click();
    SetRatio(state, ours, raw, hits);
    state.counters["per_step_us"] = hits > 1 ? 1e6 * ours / state.iterations() / hits : 0;
}
BENCHMARK_CAPTURE(BM_SearchAndStepThrough, ff, "%ff%")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// The store's share of stepping: the search result moved record by record
// and every field read as text, without widgets, against the same raw selection.
void BM_StepDataSetOnly(benchmark::State& state, const char* pattern) {
    Window& w = LargeWindow();
    Search(w, QString::fromUtf8(pattern));
    w.form->browsePage->Button6Click();  // the page no longer listens to Query2
    store::Query& query = w.form->Query2;
    query.open();
    double ours = 0, raw = 0;
    int hits = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        hits = 0;
        for (query.first(); !query.eof(); query.next()) {
            for (const auto& field : store::VocabularyFields())
                benchmark::DoNotOptimize(query.asString(field.name));
            ++hits;
        }
        const double o = Seconds(start);
        start = Clock::now();
        RawSearch(w, pattern, Read::EveryHit);
        raw += Seconds(start);
        ours += o;
        state.SetIterationTime(o);
    }
    query.close();
    SetRatio(state, ours, raw, hits);
}
BENCHMARK_CAPTURE(BM_StepDataSetOnly, ff, "%ff%")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    return morvanta::bench::RunOffscreenBenchmarks(argc, argv, [] { gWindow.reset(); });
}
