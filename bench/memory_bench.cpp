// The memory of 65,535 words: replaying it from 1,000,000 answers against one
// plain read of the same rows in order; choosing today's words; booking an
// answer with the memory moved on against booking it without.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "core/memory/due_today.h"
#include "core/memory/memory_state.h"
#include "core/quiz/quiz_session.h"
#include "store/data_set.h"
#include "store/database.h"
#include "support/bench_support.h"

namespace {

using namespace morvanta;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

constexpr int kWords = 65535;
constexpr int kAnswers = 1000000;

std::unique_ptr<test::TempTable> gTable;

// Two years of answers, about 15 per word, a quarter of them wrong, in time order.
test::TempTable& Table() {
    if (!gTable) {
        gTable = test::MakeFilledTable(kWords);
        store::Database::open(gTable->tableFile)
            ->exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                   std::to_string(kAnswers - 1) +
                   ") INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer, Direction, Tolerant) "
                   "SELECT 1 + i * 7919 % 65535, strftime('%Y-%m-%d %H:%M:%S.000', 'now', 'localtime', "
                   "'-' || ((" + std::to_string(kAnswers) + " - i) * 730 / " + std::to_string(kAnswers) +
                   ") || ' days'), i % 4 != 0, 'Antwort', i % 5 = 0, i % 17 = 0 FROM n");
    }
    return *gTable;
}

void BM_ReplayAgainstPlainRead(benchmark::State& state) {
    auto db = store::Database::open(Table().tableFile);
    const memory::ModelSettings settings;
    double ours = 0, plain = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        store::Statement rows =
            db->prepare("SELECT Id, WordId, Direction, AskedAt, Correct, Tolerant FROM AnswerHistory ORDER BY Id");
        while (rows.step()) {
            benchmark::DoNotOptimize(rows.columnInt(1));
            benchmark::DoNotOptimize(rows.columnText(3));
        }
        plain += Seconds(start);
        start = Clock::now();
        memory::Replay(*db, settings);
        const double o = Seconds(start);
        ours += o;
        state.SetIterationTime(o);
    }
    state.counters["ours_ms"] = 1000 * ours / static_cast<double>(state.iterations());
    state.counters["plain_read_ms"] = 1000 * plain / static_cast<double>(state.iterations());
    state.counters["ratio"] = ours / plain;
    state.counters["goal_ratio"] = 3;
}
BENCHMARK(BM_ReplayAgainstPlainRead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TodaysWords(benchmark::State& state) {
    auto db = store::Database::open(Table().tableFile);
    memory::KeepInStep(*db, memory::ModelSettings{});
    db->exec("UPDATE Vokabel SET Marked = 1 WHERE rowid % 3 = 0");
    memory::TodayRequest request;
    request.count = 100;
    double ours = 0;
    int due = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const memory::TodayPlan plan = memory::PlanToday(*db, request, store::SystemClock().now());
        benchmark::DoNotOptimize(memory::TodaySelectionSql(plan));
        const double o = Seconds(start);
        due = plan.dueNow;
        ours += o;
        state.SetIterationTime(o);
    }
    state.counters["ours_ms"] = 1000 * ours / static_cast<double>(state.iterations());
    state.counters["due_now"] = due;
    state.counters["goal_ms"] = 50;
}
BENCHMARK(BM_TodaysWords)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// Each booking is one transaction committed to the disk, as in the quiz.
double Bookings(store::Query& query, int count) {
    const store::SystemClock clock;
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        query.setRecNo(1 + i % query.recordCount());
        quiz::BookAnswer(query, i % 3 != 0, "Antwort", clock);
    }
    return Seconds(start);
}

void BM_BookingWithMemory(benchmark::State& state) {
    test::TempTable& table = Table();
    auto db = table.session().connect("Vokabel");
    memory::KeepInStep(*db, memory::ModelSettings{});
    store::Query query(table.session(), "Vokabel");
    query.run({"SELECT * FROM Vokabel WHERE rowid <= 2000;"});
    // Blocks of each kind in turn, so that a busy moment of the machine falls on
    // both, each from an emptied log. Without a made memory (no MemoryModel row) the
    // booking leaves the memory alone: the history row alone.
    db->exec("CREATE TEMP TABLE KeptModel AS SELECT * FROM MemoryModel");
    constexpr int kBlock = 50, kRounds = 8;
    double with = 0, without = 0;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            db->exec("INSERT INTO MemoryModel SELECT * FROM KeptModel; PRAGMA wal_checkpoint(TRUNCATE)");
            with += Bookings(query, kBlock);
            db->exec("DELETE FROM MemoryModel; PRAGMA wal_checkpoint(TRUNCATE)");
            without += Bookings(query, kBlock);
        }
        state.SetIterationTime(with);
    }
    db->exec("DROP TABLE KeptModel");
    const double answers = kBlock * kRounds * static_cast<double>(state.iterations());
    state.counters["with_ms_per_answer"] = 1000 * with / answers;
    state.counters["without_ms_per_answer"] = 1000 * without / answers;
    state.counters["ratio"] = with / without;
    state.counters["goal_ratio"] = 1.2;
}
BENCHMARK(BM_BookingWithMemory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    gTable.reset();
    return 0;
}
