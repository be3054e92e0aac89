// The export page's long runs over a large selection:
//  - both RTF exports over 65,535 words (and 32,768, to show linear growth);
//  - the kanji list's hash lookup against the literal search through the list;
//  - the special import of 10,000 words into an empty and into a full table,
//    against raw SQLite inserts of the same rows.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/rtf_kanji_list.h"
#include "core/rtf_practice_list.h"
#include "core/special_import.h"
#include "store/data_set.h"
#include "store/database.h"
#include "store/field_value.h"
#include "store/schema.h"
#include "support/reference_kanji_list.h"
#include "support/temp_table.h"
#include "text/escape_runs.h"

namespace {

using namespace morvanta;

constexpr int kLargest = 65535;

// A kanji of JIS level 1, numbered; about 3,000 distinct ones.
std::string KanjiEscape(int k) {
    const int lead = 0x88 + (k / 188) % 16;
    int trail = 0x40 + k % 188;
    if (trail >= 0x7f) ++trail;
    if (lead == 0x88 && trail < 0x9f) trail += 0x5f;  // level 1 starts at 0x889F
    char buf[16];
    std::snprintf(buf, sizeof buf, "\\'%02x\\'%02x", lead, trail);
    return buf;
}

std::string StoredRtf(const std::string& escapes) { return text::WrapJapaneseRtf(escapes); }

store::Record BenchWord(int n) {
    std::string kanji, kana;
    const int count = 1 + n % 4;
    // Mostly common characters, a long tail of rare ones: as in a real collection.
    for (int i = 0; i < count; ++i) kanji += KanjiEscape((n * 7 + i * 131) % (i == 0 ? 3000 : 600));
    kanji += "\\'82\\'b7";  // okurigana
    for (int i = 0; i < 3; ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "\\'82\\'%02x", 0xa0 + (n + i * 5) % 80);
        kana += buf;
    }
    const store::DateTime day{2024, 1, 2, 3, 4, 5, 0};
    return {"Wort " + std::to_string(n), std::string("zweite"), std::string(),
            "h" + std::to_string(n), StoredRtf(kanji), StoredRtf(kana), std::int64_t{0},
            std::string(), day, day, std::int64_t{0}, std::int64_t{0}, true,
            std::string("Meishi"), false, std::int64_t{1 + n % 2}};
}

void InsertRaw(store::Database& db, int count, bool oneTransaction) {
    const auto& fields = store::VocabularyFields();
    std::unique_ptr<store::Transaction> transaction;
    if (oneTransaction) transaction = std::make_unique<store::Transaction>(db);
    store::Statement insert = db.prepare("INSERT INTO Vokabel (" + std::string(store::FieldListSql()) +
                                         ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int n = 0; n < count; ++n) {
        const store::Record word = BenchWord(n);
        for (size_t i = 0; i < fields.size(); ++i)
            store::BindValue(insert, static_cast<int>(i + 1), word[i], fields[i].kind);
        try {
            insert.run();
        } catch (const store::EngineError&) {
        }
        insert.reset();
    }
    if (transaction) transaction->commit();
}

// One table of 65,535 words for the exports; Lesson 1 selects 32,768 of them.
struct Collection {
    Collection() {
        auto db = store::Database::open(temp->tableFile);
        InsertRaw(*db, kLargest, true);
    }
    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
};
Collection& Shared() {
    static Collection c;
    return c;
}

std::unique_ptr<store::Query> Selection(int words) {
    auto query = std::make_unique<store::Query>(Shared().temp->session(), "Vokabel");
    query->setSql({words == kLargest ? "SELECT * FROM Vokabel;"
                                     : "SELECT * FROM Vokabel WHERE Lesson=1;"});
    query->open();
    return query;
}

std::string KanaFile() {
    const char* root = std::getenv("MORVANTA_SOURCE_DIR");
    std::ifstream in(std::string(root ? root : ".") + "/data/hirakata.txt", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void BM_PracticeList(benchmark::State& state) {
    auto query = Selection(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::ostringstream out;
        exchange::WritePracticeList(out, *query);
        benchmark::DoNotOptimize(out.str().size());
    }
    state.counters["words"] = query->recordCount();
    state.counters["words/s"] =
        benchmark::Counter(query->recordCount(), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PracticeList)->Arg(32768)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// The whole kanji list export: kana file, walk, lookup, document.
void BM_KanjiList(benchmark::State& state) {
    auto query = Selection(static_cast<int>(state.range(0)));
    const std::string kana = KanaFile();
    std::size_t listed = 0;
    for (auto _ : state) {
        exchange::KnownCharacters known;
        std::istringstream in(kana);
        known.loadKanaList(in);
        exchange::CollectKanji(known, *query);
        std::ostringstream out;
        exchange::WriteKanjiList(out, known);
        listed = known.lines().size() - 167;
    }
    state.counters["words"] = query->recordCount();
    state.counters["kanji"] = static_cast<double>(listed);
}
BENCHMARK(BM_KanjiList)->Arg(32768)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// The lookup alone, on the Kanji texts of the selection: hash set against the literal list.
std::vector<std::string> KanjiTexts(int words) {
    auto query = Selection(words);
    std::vector<std::string> texts;
    for (query->first(); !query->eof(); query->next()) texts.push_back(query->asString("Kanji"));
    return texts;
}

void BM_KanjiLookup_Ours(benchmark::State& state) {
    const auto texts = KanjiTexts(static_cast<int>(state.range(0)));
    const std::string kana = KanaFile();
    for (auto _ : state) {
        exchange::KnownCharacters known;
        std::istringstream in(kana);
        known.loadKanaList(in);
        for (const auto& t : texts) known.addKanjiText(t);
        benchmark::DoNotOptimize(known.lines().size());
    }
}
BENCHMARK(BM_KanjiLookup_Ours)->Arg(32768)->Arg(kLargest)->Unit(benchmark::kMillisecond);

void BM_KanjiLookup_LiteralList(benchmark::State& state) {
    const auto texts = KanjiTexts(static_cast<int>(state.range(0)));
    const std::string kana = KanaFile();
    for (auto _ : state) benchmark::DoNotOptimize(test::ReferenceKnownCharacters(kana, texts).size());
}
BENCHMARK(BM_KanjiLookup_LiteralList)->Arg(kLargest)->Unit(benchmark::kMillisecond)->Iterations(2);

// --- special import
constexpr int kImportWords = 10000;

std::string ImportFile() {
    std::string file;
    for (int n = 0; n < kImportWords; ++n) {
        const store::Record w = BenchWord(n);
        file += "#\r\n" + text::IsolateRtfEscapes(std::get<std::string>(w[4])) + "\r\n" +
                text::IsolateRtfEscapes(std::get<std::string>(w[5])) + "\r\n" +
                std::get<std::string>(w[0]) + ", zweite\r\nMeishi\r\n\r\n" +
                std::to_string(1 + n % 2) + "\r\n";
    }
    return file;
}

struct SystemClockForBench : store::Clock {
    store::DateTime now() const override { return clock.now(); }
    store::SystemClock clock;
};

// The table as the main window has it: each insert runs the commit-and-count step.
void Import(store::Table& table, const std::string& file) {
    SystemClockForBench clock;
    std::istringstream in(file);
    const auto result = exchange::RunSpecialImport(in, table, clock);
    if (result.error) std::rethrow_exception(result.error);
}

void BM_SpecialImport(benchmark::State& state) {
    const bool full = state.range(0) == 1;
    const std::string file = ImportFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto temp = test::MakeTempTable();
        {
            store::Table table(temp->session(), "Vokabel", "Vokabel.DB");
            table.afterInsert = [&table](store::DataSet& ds) {
                ds.saveToDisk();
                benchmark::DoNotOptimize(table.recordCount());
            };
            table.open();
            if (full) Import(table, file);
            state.ResumeTiming();
            Import(table, file);
            state.PauseTiming();
        }
        temp.reset();
        state.ResumeTiming();
    }
    state.counters["words/s"] =
        benchmark::Counter(kImportWords, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SpecialImport)->Arg(0)->Arg(1)->ArgName("full")->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The same rows straight into SQLite, one autocommit insert each (every word stored at once).
void BM_RawSqliteInserts(benchmark::State& state) {
    const bool full = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        auto temp = test::MakeTempTable();
        {
            auto db = store::Database::open(temp->tableFile);
            if (full) InsertRaw(*db, kImportWords, false);
            state.ResumeTiming();
            InsertRaw(*db, kImportWords, false);
            state.PauseTiming();
        }
        temp.reset();
        state.ResumeTiming();
    }
    state.counters["words/s"] =
        benchmark::Counter(kImportWords, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RawSqliteInserts)->Arg(0)->Arg(1)->ArgName("full")->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
