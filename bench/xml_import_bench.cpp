// The word-list XML import of a generated file of about 35 MB, against two
// floors: reading the file's bytes and decoding them to text
// (ratio_vs_read_decode), and one bare pass of the XML stream reader, which
// reads, decodes and cuts the file into tokens (ratio_vs_xml_pass); and its
// peak memory against the file's size. Peaks are taken in a fresh process of
// this program (`--peak KIND FILE`), so nothing the benchmark itself holds
// counts: peak_MB is what the import adds to the process, process_peak_MB the
// whole process's high-water mark.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/exchange/xml_word_import.h"
#include "core/exchange/xml_word_list_reader.h"
#include "core/exchange/xml_word_list_writer.h"
#include "support/bench_support.h"
#include "xml_stream_pass.h"
#include "support/reference_xml_word_list.h"

namespace {

using namespace morvanta;
using Clock = std::chrono::steady_clock;

constexpr qint64 kTargetBytes = 35'000'000;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

exchange::XmlWord GeneratedWord(int i) {
    exchange::XmlWord w;
    w.word = QStringLiteral("\u6F22\u5B57\u8A9E%1").arg(i);
    w.reading = QStringLiteral("\u304B\u3093\u3058\u3054%1").arg(i);
    w.transliteration = QStringLiteral("kanjigo %1").arg(i);
    w.translations = {QStringLiteral("Schriftzeichen %1").arg(i), QStringLiteral("Wort & Zeichen"),
                      i % 3 ? QString() : QStringLiteral("<Sinnbild>")};
    w.lesson = QString::number(i % 255 + 1);
    w.type = QStringLiteral("Meishi");
    w.description = QStringLiteral("Eine Notiz zum Wort %1,\nüber zwei Zeilen.").arg(i);
    w.dateEntered = store::DateTime{2024, 3, 15, 10, 30, 5, 0};
    w.dateAsked = store::DateTime{2024, 4, 1, 8, 0, 0, 0};
    w.countAsked = QString::number(i % 17);
    w.countWrong = QString::number(i % 5);
    w.tone = QString::number(i % 4 - 1);
    return w;
}

std::string generatedFile;  // removed at the end

// The generated word list, written once; memory-backed storage when there is one.
const std::string& WordListFile() {
    static const std::string& file = generatedFile = [] {
        const std::string dir = std::filesystem::is_directory("/dev/shm")
                                    ? "/dev/shm"
                                    : std::filesystem::temp_directory_path().string();
        std::string name = dir + "/morvanta_xml_import_bench_" + std::to_string(getpid()) + ".xml";
        QFile out(QString::fromStdString(name));
        if (!out.open(QIODevice::WriteOnly)) return std::string();
        exchange::XmlWordListWriter writer(out);
        const exchange::XmlExportOptions options{QStringLiteral("Alle Wörter"), true, true};
        writer.begin(options.description);
        for (int i = 0; out.pos() < kTargetBytes; ++i) writer.addWord(GeneratedWord(i), options);
        writer.finish();
        return name;
    }();
    return file;
}

// The floor: the file's bytes read and decoded to text (the byte-order mark names the encoding).
qsizetype ReadAndDecode(const std::string& file) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) return 0;
    const QByteArray bytes = in.readAll();
    QStringDecoder decoder(QStringDecoder::encodingForData(bytes).value_or(QStringDecoder::Utf8));
    const QString text = decoder(bytes);
    return text.size();
}

qint64 ReadAndTokenize(const std::string& file) { return bench::XmlStreamPass(file); }

// What each kind of import does with the file.
bool RunImport(const std::string& kind, const std::string& file) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) return false;
    if (kind == "entry") return exchange::ReadWordList(in, {}).loaded;
    if (kind == "check") return exchange::CheckWordList(in).loaded;
    if (kind == "dom") return test::ReferenceReadWordList(in.readAll(), {}).loaded;
    return false;
}

struct Peak {
    double added = -1, process = -1;  // bytes
};

// The import's peak resident memory, in a fresh process.
Peak PeakOf(const std::string& kind, const std::string& file) {
    const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() +
                                " --peak " + kind + " '" + file + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    long added = -1, process = -1;
    if (pipe) {
        if (std::fscanf(pipe, "%ld %ld", &added, &process) != 2) added = process = -1;
        pclose(pipe);
    }
    return {double(added) * 1024.0, double(process) * 1024.0};
}

void TimeAgainstDecoding(benchmark::State& state, const std::string& kind) {
    const std::string& file = WordListFile();
    if (!RunImport(kind, file)) {  // also brings the file into the page cache
        state.SkipWithError("the generated word list does not load");
        return;
    }
    const double size = double(std::filesystem::file_size(file));
    double importTime = 0, decodeTime = 0, tokenizeTime = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        benchmark::DoNotOptimize(RunImport(kind, file));
        importTime += Seconds(start);
        start = Clock::now();
        benchmark::DoNotOptimize(ReadAndDecode(file));
        decodeTime += Seconds(start);
        start = Clock::now();
        benchmark::DoNotOptimize(ReadAndTokenize(file));
        tokenizeTime += Seconds(start);
    }
    const Peak peak = PeakOf(kind, file);
    state.counters["MB"] = size / 1e6;
    state.counters["ratio_vs_read_decode"] = importTime / decodeTime;
    state.counters["ratio_vs_xml_pass"] = importTime / tokenizeTime;
    state.counters["peak_MB"] = peak.added / 1e6;
    state.counters["process_peak_MB"] = peak.process / 1e6;
    state.counters["peak_vs_file"] = peak.added / size;
}

// The entry page's import: one walk, the fields' last values kept.
void BM_XmlImportEntryPage(benchmark::State& state) { TimeAgainstDecoding(state, "entry"); }
BENCHMARK(BM_XmlImportEntryPage)->Unit(benchmark::kMillisecond)->UseRealTime();

// The command line's first walk, which checks the whole file before anything is stored.
void BM_XmlImportCheck(benchmark::State& state) { TimeAgainstDecoding(state, "check"); }
BENCHMARK(BM_XmlImportCheck)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same import read the plain way, the whole file as a DOM document.
void BM_XmlImportWholeDocument(benchmark::State& state) { TimeAgainstDecoding(state, "dom"); }
BENCHMARK(BM_XmlImportWholeDocument)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--peak") == 0) {
        const long before = test::ProcStatusKb("VmRSS:");
        if (!RunImport(argv[2], argv[3])) return 1;
        const long peak = test::ProcStatusKb("VmHWM:");
        std::printf("%ld %ld\n", peak - before, peak);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!generatedFile.empty()) std::remove(generatedFile.c_str());
    return 0;
}
