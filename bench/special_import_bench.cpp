// The special import of 2,000 words through the page's handler, stored in one
// batch and counted, with the window following the table, against
// raw SQLite inserts of the very rows it stored, one autocommit insert each, on a
// copy of the same table. Side by side in every iteration, into an empty table
// and into one of 65,535 words.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench_window.h"
#include "core/exchange/special_import.h"
#include "exchange/export_page.h"
#include "offscreen_bench_main.h"
#include "store/database.h"
#include "store/field_value.h"
#include "store/schema.h"
#include "support/bench_support.h"

namespace {

using namespace morvanta;
using bench::Clock;
using bench::Seconds;
namespace fs = std::filesystem;

constexpr int kFull = 65535;
constexpr int kImportWords = 2000;

// Words kFull .. kFull+1,999 as seven-line records (Windows-1252).
std::string ImportFile() {
    std::string file;
    for (int n = kFull; n < kFull + kImportWords; ++n) file += test::SpecialImportLines(test::EnteredWord(n));
    return file;
}

// The rows the import stores for the file.
std::vector<store::Record> ImportRows(const std::string& file) {
    std::istringstream in(file);
    exchange::SpecialImportReader reader(in);
    const store::SystemClock clock;
    std::vector<store::Record> rows;
    while (!reader.atEnd())
        if (auto row = exchange::SpecialImportRecord(reader.readWord(), clock)) rows.push_back(std::move(*row));
    return rows;
}

struct Inputs {
    std::unique_ptr<test::TempTable> empty = test::MakeTempTable();
    std::unique_ptr<test::TempTable> full = test::MakeFilledTable(kFull, test::EnteredWord);
    std::string file = ImportFile();
    std::vector<store::Record> rows = ImportRows(file);
};
Inputs& Shared() {
    static Inputs inputs;
    return inputs;
}

// A fresh table holding what `from` holds.
std::unique_ptr<test::TempTable> CopyOf(const test::TempTable& from) {
    auto copy = test::MakeTempTable();
    fs::copy_file(from.tableFile, copy->tableFile, fs::copy_options::overwrite_existing);
    return copy;
}

double ImportThroughPage(std::unique_ptr<test::TempTable> table, const std::string& file) {
    bench::BenchWindow w(std::move(table));
    w.dialogs.fileAnswers << QString::fromStdString(file);
    const auto start = Clock::now();
    w.form->exportPage->Button11Click();
    const double seconds = Seconds(start);
    if (w.dialogs.texts() != QStringList{QStringLiteral("Es Wurden 0 Vokabeln nicht importiert")})
        throw std::runtime_error("the import did not store every word: " +
                                 w.dialogs.texts().join(u'|').toStdString());
    return seconds;
}

double RawInserts(const test::TempTable& table, const std::vector<store::Record>& rows) {
    auto db = store::Database::open(table.tableFile);
    const auto& fields = store::VocabularyFields();
    const auto start = Clock::now();
    store::Statement insert = db->prepare("INSERT INTO Vokabel (" + std::string(store::FieldListSql()) +
                                          ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (const store::Record& row : rows) {
        for (size_t i = 0; i < fields.size(); ++i)
            store::BindValue(insert, static_cast<int>(i + 1), row[i], fields[i].kind);
        insert.run();
        insert.reset();
    }
    return Seconds(start);
}

void BM_SpecialImportAgainstRawInserts(benchmark::State& state) {
    Inputs& in = Shared();
    const test::TempTable& start = state.range(0) == 1 ? *in.full : *in.empty;
    const std::string file = bench::OutputFile(in.empty->folder.path(), "import.txt");
    std::ofstream(file, std::ios::binary) << in.file;
    double ours = 0, raw = 0;
    for (auto _ : state) {
        const double o = ImportThroughPage(CopyOf(start), file);
        auto rawTable = CopyOf(start);
        raw += RawInserts(*rawTable, in.rows);
        ours += o;
        state.SetIterationTime(o);
    }
    const double n = double(state.iterations());
    state.counters["ms"] = 1e3 * ours / n;
    state.counters["raw_ms"] = 1e3 * raw / n;
    state.counters["words/s"] = double(kImportWords) * n / ours;
    state.counters["ratio_vs_raw"] = ours / raw;
    fs::remove(file);
}
BENCHMARK(BM_SpecialImportAgainstRawInserts)
    ->ArgName("full")->Arg(0)->Arg(1)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    return morvanta::bench::RunOffscreenBenchmarks(argc, argv);
}
