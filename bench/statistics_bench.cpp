// The page "Statistik" over 65,535 words and 100,000 answers: from the click on
// its tab until the page with its charts is drawn, against the raw aggregate
// queries behind the same figures, on the window's own connection in the same run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <memory>

#include "bench_window.h"
#include "offscreen_bench_main.h"
#include "statistics/statistics_page.h"
#include "store/database.h"
#include "support/bench_support.h"

namespace {

using namespace morvanta;
using bench::Clock;
using bench::Seconds;

constexpr int kWords = 65535;
constexpr int kAnswers = 100000;

std::unique_ptr<bench::BenchWindow> gWindow;

bench::BenchWindow& LargeWindow() {
    if (!gWindow) {
        auto table = test::MakeFilledTable(kWords);
        // A year of answers spread over the words, up to the day the benchmark runs.
        store::Database::open(table->tableFile)
            ->exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                   std::to_string(kAnswers - 1) +
                   ") INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer) "
                   "SELECT 1 + i * 7919 % 65535, strftime('%Y-%m-%d %H:%M:%S.000', 'now', 'localtime', "
                   "'-' || (i % 365) || ' days'), i % 4 != 0, 'Antwort' FROM n");
        gWindow = std::make_unique<bench::BenchWindow>(std::move(table));
    }
    return *gWindow;
}

// Every aggregate the page shows, each as the plain query a reader would write.
void RawAggregates(store::Database& db) {
    const char* const queries[] = {
        "SELECT count(*), total(Marked = 1), total(NumberAsked > 0) FROM Vokabel",
        "SELECT Lesson, total(NumberAsked), total(NumberWrong) FROM Vokabel WHERE NumberAsked > 0 GROUP BY Lesson",
        "SELECT Type, total(NumberAsked), total(NumberWrong) FROM Vokabel WHERE NumberAsked > 0 GROUP BY Type",
        "SELECT total(d >= date('now')), total(d < date('now') AND d >= date('now', '-6 days')), "
        "total(d < date('now', '-6 days') AND d >= date('now', '-29 days')), total(d < date('now', '-29 days')) "
        "FROM (SELECT substr(DateAsked, 1, 10) AS d FROM Vokabel WHERE NumberAsked > 0)",
        "SELECT Kanji, \"Hira-Kata\", Hepburn, Translation1 FROM Vokabel WHERE NumberWrong > 0 "
        "ORDER BY NumberWrong DESC, NumberAsked LIMIT 20",
        "SELECT substr(AskedAt, 1, 10), total(Correct), count(*) FROM AnswerHistory "
        "WHERE AskedAt >= date('now', '-29 days') GROUP BY 1",
        "SELECT count(*) FROM AnswerHistory WHERE AskedAt >= date('now', '-6 days')",
        "SELECT DISTINCT substr(AskedAt, 1, 10) FROM AnswerHistory ORDER BY 1 DESC LIMIT 366",
    };
    for (const char* sql : queries) {
        store::Statement s = db.prepare(sql);
        while (s.step()) benchmark::DoNotOptimize(s.columnText(0));
    }
}

void BM_StatisticsPageShown(benchmark::State& state) {
    bench::BenchWindow& w = LargeWindow();
    app::TForm1& form = *w.form;
    auto db = form.session().connect("Vokabel");
    double ours = 0, raw = 0;
    for (auto _ : state) {
        form.pageTabs->setCurrentWidget(form.TabSheet1);
        QApplication::processEvents();
        auto start = Clock::now();
        form.pageTabs->setCurrentWidget(form.statisticsTab);
        benchmark::DoNotOptimize(form.statisticsTab->grab());  // laid out and painted, charts and all
        const double o = Seconds(start);
        w.requireNoMessage("statistics page");
        start = Clock::now();
        RawAggregates(*db);
        raw += Seconds(start);
        ours += o;
        state.SetIterationTime(o);
    }
    state.counters["ours_ms"] = 1000 * ours / static_cast<double>(state.iterations());
    state.counters["raw_ms"] = 1000 * raw / static_cast<double>(state.iterations());
    state.counters["ratio"] = ours / raw;
}
BENCHMARK(BM_StatisticsPageShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    return morvanta::bench::RunOffscreenBenchmarks(argc, argv, [] { gWindow.reset(); });
}
