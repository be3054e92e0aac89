// The store's data sets against the raw SQLite statements doing the same work,
// over a generated table of 65,535 words.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "store/data_set.h"
#include "store/database.h"
#include "store/field_value.h"
#include "store/schema.h"
#include "support/bench_support.h"

namespace {

using namespace morvanta;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kWords = 65535;
constexpr int kInserts = 10000;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The generated table, filled in a child process so that this process's peak
// memory shows the data sets, not the generation.
test::TempTable& BigTable() {
    static std::unique_ptr<test::TempTable> table = test::MakeFilledTable(kWords);
    return *table;
}

std::vector<std::int64_t> RawRowIds(sqlite3* db, const std::string& where) {
    // The same row ids in key order, straight from the order table's index.
    std::string sql = "SELECT WordId FROM VokabelOrder" + (where.empty() ? "" : " WHERE " + where) +
                      " ORDER BY SortKey, WordId";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    std::vector<std::int64_t> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) rows.push_back(sqlite3_column_int64(stmt, 0));
    sqlite3_finalize(stmt);
    return rows;
}

// Opening a live query (all words, or the marked ones) against the raw statement
// fetching the same row ids.
void BM_OpenLiveQuery(benchmark::State& state) {
    test::TempTable& t = BigTable();
    const bool marked = state.range(0) != 0;
    store::Query query(t.session(), "Vokabel");
    query.setSql({marked ? "SELECT * FROM Vokabel WHERE Marked=True;" : "SELECT * FROM Vokabel;"});
    auto raw = store::Database::open(t.tableFile);
    double storeTime = 0, rawTime = 0;
    int count = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        query.execSql();
        query.open();
        count = query.recordCount();
        query.close();
        storeTime += Seconds(start);
        start = Clock::now();
        auto rows = RawRowIds(raw->handle(), marked ? "Marked = 1" : "");
        if (static_cast<int>(rows.size()) != count) throw std::runtime_error("different results");
        rawTime += Seconds(start);
        state.SetIterationTime(Seconds(start));
    }
    state.counters["records"] = count;
    state.counters["store_ms"] = storeTime * 1000 / state.iterations();
    state.counters["raw_ms"] = rawTime * 1000 / state.iterations();
    state.counters["ratio"] = storeTime / rawTime;
}
BENCHMARK(BM_OpenLiveQuery)->ArgName("marked")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

// Walking every record with Next and reading all sixteen fields as text.
void BM_WalkAllFields(benchmark::State& state) {
    test::TempTable& t = BigTable();
    store::Query query(t.session(), "Vokabel");
    query.setSql({"SELECT * FROM Vokabel;"});
    query.open();
    const auto& fields = store::VocabularyFields();
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (query.first(); !query.eof(); query.next())
            for (const auto& field : fields) bytes += query.asString(field.name).size();
    }
    state.counters["records"] = query.recordCount();
    state.counters["ns_per_record"] = benchmark::Counter(
        static_cast<double>(query.recordCount()) * state.iterations(),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_WalkAllFields)->Unit(benchmark::kMillisecond)->Iterations(3);

fs::path CopyOfBigTable(const test::TempFolder& folder, const char* name) {
    fs::path dir = folder.path() / name;
    fs::create_directories(dir);
    fs::copy_file(BigTable().tableFile, dir / "Vokabel.DB");
    return dir;
}

// Inserting records one by one, each stored at once, through the table against
// raw SQLite inserts on a connection in the same journal mode.
void BM_Insert10000(benchmark::State& state) {
    BigTable();
    double storeTime = 0, rawTime = 0;
    for (auto _ : state) {
        test::TempFolder folder;
        fs::path storeDir = CopyOfBigTable(folder, "store");
        fs::path rawDir = CopyOfBigTable(folder, "raw");
        {
            store::AliasConfig config(folder.path() / "engine.ini");
            config.addStandardAlias("Vokabel", {"PATH=" + storeDir.string()});
            store::Session session(config);
            store::Table table(session, "Vokabel", "Vokabel.DB");
            table.open();
            auto start = Clock::now();
            for (int i = 0; i < kInserts; ++i) table.insertRecord(test::GeneratedWord(kWords + i));
            storeTime += Seconds(start);
        }
        {
            auto db = store::Database::open(rawDir / "Vokabel.DB");
            const auto& fields = store::VocabularyFields();
            std::string sql = "INSERT INTO Vokabel (" + std::string(store::FieldListSql()) +
                              ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
            auto start = Clock::now();
            store::Statement insert = db->prepare(sql);
            for (int i = 0; i < kInserts; ++i) {
                store::Record word = test::GeneratedWord(kWords + i);
                for (size_t f = 0; f < fields.size(); ++f)
                    store::BindValue(insert, static_cast<int>(f + 1), word[f], fields[f].kind);
                insert.run();
                insert.reset();
            }
            rawTime += Seconds(start);
            state.SetIterationTime(Seconds(start));
        }
    }
    state.counters["store_us_per_insert"] = storeTime * 1e6 / kInserts / state.iterations();
    state.counters["raw_us_per_insert"] = rawTime * 1e6 / kInserts / state.iterations();
    state.counters["ratio"] = storeTime / rawTime;
}
BENCHMARK(BM_Insert10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Peak memory of this process with the 65,535-word query open.
void BM_PeakRssQueryOpen(benchmark::State& state) {
    test::TempTable& t = BigTable();
    long before = test::ProcStatusKb("VmHWM:");
    store::Query query(t.session(), "Vokabel");
    query.setSql({"SELECT * FROM Vokabel;"});
    for (auto _ : state) {
        query.close();
        query.open();
        for (query.first(); !query.eof(); query.next()) benchmark::DoNotOptimize(query.asString("Kanji"));
    }
    state.counters["records"] = query.recordCount();
    state.counters["peak_rss_MB_before"] = before / 1024.0;
    state.counters["peak_rss_MB"] = test::ProcStatusKb("VmHWM:") / 1024.0;
}
BENCHMARK(BM_PeakRssQueryOpen)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
