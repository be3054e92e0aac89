// 50,000 words from other trainers' files against the special import of the
// same words, side by side in every iteration, each into a fresh empty table:
//   - the seven-line special import file (the baseline);
//   - a TSV with the columns Kanji, Kana, Deutsch, Lektion: read, columns
//     guessed, rows prepared, stored;
//   - an Anki package our writer made: the same way.
// tsv_ratio_vs_special and apkg_ratio_vs_special have the goal goal_max_ratio (2).
// preview_seconds is what the import dialog waits for before it shows the TSV:
// read, guess, prepare and count against the empty table (goal
// preview_goal_seconds, 1 s); preview_full_seconds the same against the table
// the special import filled, where every word is already there.
// The *_read_ms, *_prepare_ms (guess + prepare) and *_store_ms counters split
// the two imports into their phases.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>
#include <unistd.h>

#include "core/exchange/special_import.h"
#include "core/foreign/anki_package_reader.h"
#include "core/foreign/anki_package_writer.h"
#include "core/foreign/column_mapping.h"
#include "core/foreign/csv_reader.h"
#include "core/foreign/export_word.h"
#include "core/foreign/foreign_import.h"
#include "store/data_set.h"
#include "support/bench_support.h"
#include "text/rich_text.h"

namespace {

using namespace morvanta;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

constexpr int kWords = 50000;
constexpr double kGoal = 2.0;
constexpr double kPreviewGoalSeconds = 1.0;

const std::string& Text(const store::Record& w, int field) { return std::get<std::string>(w[size_t(field)]); }

std::string Plain(const std::string& rtf) {
    std::string plain = text::RtfToPlainText(rtf);
    while (!plain.empty() && (plain.back() == '\n' || plain.back() == '\r')) plain.pop_back();
    return plain;
}

// The first kWords generated words whose reading gives a Hepburn: a reading of
// small kana only ("ぇゃぉぃ") is no word, and the import refuses it.
std::vector<store::Record> Records() {
    std::vector<store::Record> records;
    records.reserve(kWords);
    for (int n = 0; int(records.size()) < kWords; ++n)
        if (store::Record r = test::EnteredWord(n); !Text(r, 3).empty()) records.push_back(std::move(r));
    return records;
}

// The words as the writers for other trainers get them.
std::vector<foreign::ExportWord> Words(const std::vector<store::Record>& records) {
    std::vector<foreign::ExportWord> words;
    words.reserve(records.size());
    for (const store::Record& r : records) {
        foreign::ExportWord w;
        w.kanji = Plain(Text(r, 4));
        w.kana = Plain(Text(r, 5));
        w.hepburn = Text(r, 3);
        w.translation1 = Text(r, 0);
        w.translation2 = Text(r, 1);
        w.translation3 = Text(r, 2);
        w.lesson = std::get<std::int64_t>(r[15]);
        w.type = Text(r, 13);
        w.note = Text(r, 7);
        words.push_back(std::move(w));
    }
    return words;
}

// The same words as seven-line records (Windows-1252).
std::string WriteSpecialFile(const std::vector<store::Record>& records) {
    const std::string name = test::BenchInputFile("import.txt");
    std::ofstream out(name, std::ios::binary);
    for (const store::Record& w : records) out << test::SpecialImportLines(w);
    if (!out) throw std::runtime_error("cannot write " + name);
    return name;
}

// As a TSV with a row of column names; the translations in one cell.
std::string WriteTsvFile(const std::vector<foreign::ExportWord>& words) {
    const std::string name = test::BenchInputFile("import.tsv");
    std::ofstream out(name, std::ios::binary);
    out << "Kanji\tKana\tDeutsch\tLektion\n";
    for (const foreign::ExportWord& w : words) {
        std::string joined = w.translation1;
        for (const std::string* t : {&w.translation2, &w.translation3})
            if (!t->empty()) joined += "; " + *t;
        const std::string& translations = joined;
        for (const std::string* cell : {&w.kanji, &w.kana, &translations})
            if (cell->find_first_of("\t\r\n\"") != std::string::npos)
                throw std::runtime_error("a cell would need quotes: " + *cell);
        out << w.kanji << '\t' << w.kana << '\t' << translations << '\t' << w.lesson << '\n';
    }
    if (!out) throw std::runtime_error("cannot write " + name);
    return name;
}

std::string WriteApkgFile(const std::vector<foreign::ExportWord>& words) {
    const std::string name = test::BenchInputFile("import.apkg");
    std::ofstream out(name, std::ios::binary);
    if (!foreign::WriteAnkiPackage(out, words) || !out) throw std::runtime_error("cannot write " + name);
    return name;
}

struct Inputs {
    std::vector<store::Record> records = Records();
    std::string special = WriteSpecialFile(records);
    std::vector<foreign::ExportWord> words = Words(records);
    std::string tsv = WriteTsvFile(words);
    std::string apkg = WriteApkgFile(words);
};

// One import into a fresh empty table; the table is opened before the clock starts.
class FreshTable {
public:
    FreshTable() { table.open(); }
    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    store::Table table{temp->session(), "Vokabel", "Vokabel.DB"};
};

double SpecialImport(store::DataSet& table, const std::string& file) {
    const auto start = Clock::now();
    std::ifstream in(file, std::ios::binary);
    const store::SystemClock clock;
    const exchange::SpecialImportResult result = exchange::RunSpecialImport(in, table, clock);
    const double seconds = Seconds(start);
    if (result.error || result.failed != 0 || result.stored != kWords)
        throw std::runtime_error("the special import stored " + std::to_string(result.stored) + " words");
    return seconds;
}

struct Phases {
    double read = 0, prepare = 0, store = 0;
    double total() const { return read + prepare + store; }
    Phases& operator+=(const Phases& o) {
        read += o.read;
        prepare += o.prepare;
        store += o.store;
        return *this;
    }
};

template <typename Read>
Phases ForeignImport(store::DataSet& table, Read read) {
    Phases phases;
    auto start = Clock::now();
    const foreign::SourceSheet sheet = read();
    phases.read = Seconds(start);
    start = Clock::now();
    const foreign::ColumnMapping mapping = foreign::GuessMapping(sheet);
    const foreign::PreparedImport prepared =
        foreign::PrepareImport(sheet, mapping, foreign::FirstFreeLesson(table));
    phases.prepare = Seconds(start);
    start = Clock::now();
    const store::SystemClock clock;
    const foreign::ForeignImportResult result = foreign::RunForeignImport(prepared, table, clock);
    phases.store = Seconds(start);
    if (result.error || result.stored != kWords)
        throw std::runtime_error(sheet.format + ": " + foreign::ForeignImportMessage(result) +
                                 (prepared.problems.empty() ? "" : " " + prepared.problems.front()));
    return phases;
}

// What the import dialog does before it shows the TSV.
double Preview(store::DataSet& table, const std::string& tsv) {
    const auto start = Clock::now();
    const foreign::SourceSheet sheet = foreign::ReadCsvFile(tsv, foreign::CsvKind::Tsv);
    const foreign::ColumnMapping mapping = foreign::GuessMapping(sheet);
    const foreign::PreparedImport prepared =
        foreign::PrepareImport(sheet, mapping, foreign::FirstFreeLesson(table));
    const foreign::ImportPreview preview = foreign::CountPreview(prepared, table);
    const double seconds = Seconds(start);
    if (preview.newWords + preview.duplicates != kWords) throw std::runtime_error("the preview lost words");
    return seconds;
}

void BM_ForeignImportAgainstSpecial(benchmark::State& state) {
    static const Inputs in;
    double special = 0, preview = 0, previewFull = 0;
    Phases tsv, apkg;
    for (auto _ : state) {
        FreshTable specialTable;
        const double s = SpecialImport(specialTable.table, in.special);
        FreshTable tsvTable;
        const Phases t = ForeignImport(tsvTable.table, [&] {
            return foreign::ReadCsvFile(in.tsv, foreign::CsvKind::Tsv);
        });
        FreshTable apkgTable;
        const Phases a = ForeignImport(apkgTable.table, [&] { return foreign::ReadAnkiPackage(in.apkg); });
        FreshTable previewTable;
        preview += Preview(previewTable.table, in.tsv);
        previewFull += Preview(specialTable.table, in.tsv);
        special += s;
        tsv += t;
        apkg += a;
        state.SetIterationTime(s + t.total() + a.total());
    }
    const double n = double(state.iterations());
    state.counters["words"] = kWords;
    state.counters["special_ms"] = 1e3 * special / n;
    state.counters["tsv_ms"] = 1e3 * tsv.total() / n;
    state.counters["tsv_read_ms"] = 1e3 * tsv.read / n;
    state.counters["tsv_prepare_ms"] = 1e3 * tsv.prepare / n;
    state.counters["tsv_store_ms"] = 1e3 * tsv.store / n;
    state.counters["apkg_ms"] = 1e3 * apkg.total() / n;
    state.counters["apkg_read_ms"] = 1e3 * apkg.read / n;
    state.counters["apkg_prepare_ms"] = 1e3 * apkg.prepare / n;
    state.counters["apkg_store_ms"] = 1e3 * apkg.store / n;
    state.counters["tsv_ratio_vs_special"] = tsv.total() / special;
    state.counters["apkg_ratio_vs_special"] = apkg.total() / special;
    state.counters["goal_max_ratio"] = kGoal;
    state.counters["preview_seconds"] = preview / n;
    state.counters["preview_full_seconds"] = previewFull / n;
    state.counters["preview_goal_seconds"] = kPreviewGoalSeconds;
    state.counters["tsv_MB"] = double(fs::file_size(in.tsv)) / 1e6;
    state.counters["apkg_MB"] = double(fs::file_size(in.apkg)) / 1e6;
}
BENCHMARK(BM_ForeignImportAgainstSpecial)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const char* name : {"import.txt", "import.tsv", "import.apkg"}) std::remove(test::BenchInputFile(name).c_str());
    return 0;
}
