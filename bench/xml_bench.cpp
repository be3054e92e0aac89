// The word-list XML export of 65,535 words against writing the same bytes
// with one fwrite.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <memory>
#include <vector>

#include "core/xml_file_output.h"
#include "core/xml_word_list_writer.h"
#include "core/xml_word_source.h"
#include "store/data_set.h"
#include "support/bench_support.h"

namespace {

using namespace morvanta;
using Clock = std::chrono::steady_clock;

constexpr int kWords = 65535;
const exchange::XmlExportOptions kOptions{QStringLiteral("Alle Wörter"), true, true};

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The generated table, filled in a child process.
test::TempTable& BigTable() {
    static std::unique_ptr<test::TempTable> table = test::MakeFilledTable(kWords);
    return *table;
}

// Both files go to memory-backed storage when there is one, so the ratio
// shows the export's work rather than the disk's mood.
std::string OutputFile(test::TempTable& t, const char* name) {
    static const bool shm = std::filesystem::is_directory("/dev/shm");
    if (shm) return "/dev/shm/morvanta_xml_bench_" + std::to_string(getpid()) + "_" + name;
    return (t.folder.path() / name).string();
}

// The exported file's bytes, read back untimed for the reference write.
QByteArray ReadAll(const std::string& file) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) return {};
    return in.readAll();
}

double FwriteSeconds(const std::string& file, const QByteArray& bytes) {
    const auto start = Clock::now();
    std::FILE* out = std::fopen(file.c_str(), "wb");
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    std::fclose(out);
    return Seconds(start);
}

void Report(benchmark::State& state, double exportTime, double fwriteTime, qsizetype bytes) {
    const double n = double(state.iterations());
    state.counters["words/s"] = benchmark::Counter(double(kWords) * n / exportTime);
    state.counters["MB"] = double(bytes) / 1e6;
    state.counters["ratio_vs_fwrite"] = exportTime / fwriteTime;
}

// Times `write` producing the file, then one fwrite of the very same bytes.
template <class Write>
void TimeAgainstFwrite(benchmark::State& state, const std::string& file, Write write) {
    double exportTime = 0, fwriteTime = 0;
    qsizetype size = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        exchange::WriteWholeFile(QString::fromStdString(file), write);
        exportTime += Seconds(start);
        const QByteArray bytes = ReadAll(file);
        fwriteTime += FwriteSeconds(file + ".ref", bytes);
        size = bytes.size();
    }
    Report(state, exportTime, fwriteTime, size);
    std::remove(file.c_str());
    std::remove((file + ".ref").c_str());
}

// The handler's work after the dialogs: walk the quiz query, build the document, write the file.
void BM_XmlExportFromQuery(benchmark::State& state) {
    test::TempTable& t = BigTable();
    store::Query query(t.session(), "Vokabel");
    query.setSql({"SELECT * FROM Vokabel;"});
    query.open();
    const std::string file = OutputFile(t, "export.xml");
    TimeAgainstFwrite(state, file, [&query](QIODevice& out) {
        return exchange::WriteWordList(query, kOptions, out);
    });
}
BENCHMARK(BM_XmlExportFromQuery)->Unit(benchmark::kMillisecond)->UseRealTime();

// The document alone, from values already read: the writer's own share.
void BM_XmlExportFromValues(benchmark::State& state) {
    test::TempTable& t = BigTable();
    store::Query query(t.session(), "Vokabel");
    query.setSql({"SELECT * FROM Vokabel;"});
    query.open();
    std::vector<exchange::XmlWord> words;
    for (query.first(); !query.eof(); query.next()) words.push_back(exchange::WordFromRecord(query));
    const std::string file = OutputFile(t, "values.xml");
    TimeAgainstFwrite(state, file, [&words](QIODevice& out) {
        exchange::XmlWordListWriter writer(out);
        writer.begin(kOptions.description);
        for (const auto& w : words) writer.addWord(w, kOptions);
        writer.finish();
        return writer.ok();
    });
}
BENCHMARK(BM_XmlExportFromValues)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
