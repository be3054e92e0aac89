// The two imports into an empty table, each against its floor measured side by
// side in every iteration: parsing the same file plus one bulk transaction of the
// very rows the import stored (stock statements, synced once like the import).
//   - 48,000 words of a word-list XML file the way `morvanta-cli import xml`
//     stores them; the parse floor is one bare pass of the XML stream reader.
//   - 50,000 words of the seven-line special import; the parse floor is the
//     reader turning the file into the rows.
// ratio_vs_floor has the goal goal_max_ratio (2).

#include <benchmark/benchmark.h>

#include <QFile>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "core/exchange/special_import.h"
#include "core/exchange/xml_word_import.h"
#include "core/exchange/xml_word_list_writer.h"
#include "store/data_set.h"
#include "store/database.h"
#include "store/field_value.h"
#include "store/schema.h"
#include "support/bench_support.h"
#include "text/rich_text.h"
#include "xml_stream_pass.h"

namespace {

using namespace morvanta;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

constexpr int kXmlWords = 48000;
constexpr int kSpecialWords = 50000;
constexpr double kGoal = 2.0;

const std::string& Text(const store::Record& w, int field) { return std::get<std::string>(w[size_t(field)]); }

QString Plain(const std::string& rtf) {
    QString plain = QString::fromStdString(text::RtfToPlainText(rtf));
    while (plain.endsWith(QLatin1Char('\n')) || plain.endsWith(QLatin1Char('\r'))) plain.chop(1);
    return plain;
}

// Words 0 .. kXmlWords-1 as a learner entered them, as a word list with dates and statistics.
std::string WriteXmlFile() {
    const std::string name = test::BenchInputFile("import.xml");
    QFile out(QString::fromStdString(name));
    if (!out.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write " + name);
    exchange::XmlWordListWriter writer(out);
    const exchange::XmlExportOptions options{QStringLiteral("Alle Wörter"), true, true};
    writer.begin(options.description);
    for (int n = 0; n < kXmlWords; ++n) {
        const store::Record r = test::EnteredWord(n);
        exchange::XmlWord w;
        w.word = Plain(Text(r, 4));
        w.reading = Plain(Text(r, 5));
        w.transliteration = QString::fromStdString(Text(r, 3));
        for (int t = 0; t < 3; ++t) w.translations[size_t(t)] = QString::fromStdString(Text(r, t));
        w.lesson = QString::number(std::get<std::int64_t>(r[15]));
        w.type = QString::fromStdString(Text(r, 13));
        w.description = QString::fromStdString(Text(r, 7));
        w.dateEntered = std::get<store::DateTime>(r[8]);
        w.dateAsked = std::get<store::DateTime>(r[9]);
        w.countAsked = QString::number(std::get<std::int64_t>(r[10]));
        w.countWrong = QString::number(std::get<std::int64_t>(r[11]));
        w.tone = QString::number(std::get<std::int64_t>(r[6]));
        writer.addWord(w, options);
    }
    writer.finish();
    if (!writer.ok()) throw std::runtime_error("cannot write " + name);
    return name;
}

// Words 0 .. kSpecialWords-1 as seven-line records (Windows-1252).
std::string WriteSpecialFile() {
    const std::string name = test::BenchInputFile("import.txt");
    std::ofstream out(name, std::ios::binary);
    for (int n = 0; n < kSpecialWords; ++n) out << test::SpecialImportLines(test::EnteredWord(n));
    if (!out) throw std::runtime_error("cannot write " + name);
    return name;
}

// The rows a table holds, in the order they were stored.
std::vector<store::Record> StoredRows(const fs::path& table) {
    auto db = store::Database::open(table);
    store::Statement select =
        db->prepare("SELECT " + std::string(store::FieldListSql()) + " FROM Vokabel ORDER BY rowid");
    const auto& fields = store::VocabularyFields();
    std::vector<store::Record> rows;
    while (select.step()) {
        store::Record row;
        for (size_t i = 0; i < fields.size(); ++i) row.push_back(store::ReadColumn(select, int(i), fields[i].kind));
        rows.push_back(std::move(row));
    }
    return rows;
}

// The floor's store: the rows in one transaction of plain inserts, synced once.
double OneBulkTransaction(const fs::path& table, const std::vector<store::Record>& rows) {
    auto db = store::Database::open(table);
    const auto& fields = store::VocabularyFields();
    const auto start = Clock::now();
    db->exec("BEGIN IMMEDIATE");
    store::Statement insert = db->prepare("INSERT INTO Vokabel (" + std::string(store::FieldListSql()) +
                                          ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (const store::Record& row : rows) {
        for (size_t i = 0; i < fields.size(); ++i) store::BindValue(insert, int(i + 1), row[i], fields[i].kind);
        insert.run();
        insert.reset();
    }
    db->exec("COMMIT");
    db->flush();
    return Seconds(start);
}

std::size_t SpecialParse(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    exchange::SpecialImportReader reader(in);
    const store::SystemClock clock;
    std::size_t rows = 0;
    while (!reader.atEnd())
        if (exchange::SpecialImportRecord(reader.readWord(), clock)) ++rows;
    return rows;
}

int XmlImport(store::DataSet& table, const std::string& file) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + file);
    const store::SystemClock clock;
    const exchange::XmlImportResult result = exchange::ImportWords(in, table, clock);
    if (result.error || !result.loadError.isEmpty() || result.duplicates != 0)
        throw std::runtime_error("the XML import failed");
    return result.stored;
}

int SpecialImport(store::DataSet& table, const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const store::SystemClock clock;
    const exchange::SpecialImportResult result = exchange::RunSpecialImport(in, table, clock);
    if (result.error || result.failed != 0) throw std::runtime_error("the special import failed");
    return result.stored;
}

using ImportFn = int (*)(store::DataSet&, const std::string&);
using ParseFn = void (*)(const std::string&);

void TimeAgainstFloor(benchmark::State& state, const std::string& file, int words, ImportFn import,
                      ParseFn parse) {
    double ours = 0, parsing = 0, storing = 0;
    for (auto _ : state) {
        auto table = test::MakeTempTable();
        double seconds = 0;
        {
            store::Table wordTable(table->session(), "Vokabel", "Vokabel.DB");
            wordTable.open();
            const auto start = Clock::now();
            if (import(wordTable, file) != words) throw std::runtime_error("not every word was stored");
            seconds = Seconds(start);
        }
        const std::vector<store::Record> rows = StoredRows(table->tableFile);
        auto start = Clock::now();
        parse(file);
        parsing += Seconds(start);
        auto floorTable = test::MakeTempTable();
        storing += OneBulkTransaction(floorTable->tableFile, rows);
        ours += seconds;
        state.SetIterationTime(seconds);
    }
    const double n = double(state.iterations());
    state.counters["words"] = words;
    state.counters["ms"] = 1e3 * ours / n;
    state.counters["parse_ms"] = 1e3 * parsing / n;
    state.counters["bulk_tx_ms"] = 1e3 * storing / n;
    state.counters["ratio_vs_floor"] = ours / (parsing + storing);
    state.counters["goal_max_ratio"] = kGoal;
}

void BM_XmlImport(benchmark::State& state) {
    static const std::string file = WriteXmlFile();
    state.counters["MB"] = double(fs::file_size(file)) / 1e6;
    TimeAgainstFloor(state, file, kXmlWords, XmlImport, [](const std::string& f) {
        benchmark::DoNotOptimize(bench::XmlStreamPass(f));
    });
}
BENCHMARK(BM_XmlImport)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SpecialImport(benchmark::State& state) {
    static const std::string file = WriteSpecialFile();
    state.counters["MB"] = double(fs::file_size(file)) / 1e6;
    TimeAgainstFloor(state, file, kSpecialWords, SpecialImport, [](const std::string& f) {
        benchmark::DoNotOptimize(SpecialParse(f));
    });
}
BENCHMARK(BM_SpecialImport)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const char* name : {"import.xml", "import.txt"})
        std::remove(test::BenchInputFile(name).c_str());
    return 0;
}
