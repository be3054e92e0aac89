// KanaToHepburn against the literal replace-all algorithm in the same run, on
// a long escape run and on a typical word; the rich-text codec's throughput.

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

#include "support/reference_kana_to_hepburn.h"
#include "text/codepage.h"
#include "text/escape_runs.h"
#include "text/kana_table.h"
#include "text/rich_text.h"

namespace {

using namespace morvanta;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

std::string EscapesOf(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (char32_t cp : text::Utf8ToCodePoints(utf8)) {
        for (char c : text::CodePointToCp932(cp).value_or("")) {
            const auto b = static_cast<unsigned char>(c);
            out.append("\\'").append(1, kHex[b >> 4]).append(1, kHex[b & 0xF]);
        }
    }
    return out;
}

// Hiragana and katakana from every row, with small tsu and long-vowel marks
// between them, cut to `length` characters (whole kana: every unit is 8 long).
std::string MixedKanaRun(std::size_t length) {
    const auto& table = text::KanaTable();
    const std::string extras[] = {EscapesOf("っ"), EscapesOf("ッ"), EscapesOf("ー")};
    std::mt19937 rng(2024);
    std::string run;
    while (run.size() < length)
        run += rng() % 8 == 0 ? extras[rng() % 3] : std::string(table[rng() % table.size()].key);
    run.resize(length);
    return run;
}

void SetRatio(benchmark::State& state, double ours, double literal) {
    state.counters["ours_us"] = 1e6 * ours / static_cast<double>(state.iterations());
    state.counters["literal_us"] = 1e6 * literal / static_cast<double>(state.iterations());
    state.counters["ratio"] = literal / ours;
}

void RunAgainstLiteral(benchmark::State& state, const std::string& run) {
    double ours = 0, literal = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        std::string fast = text::KanaToHepburn(run);
        benchmark::DoNotOptimize(fast);
        const double o = Seconds(start);
        start = Clock::now();
        std::string slow = reference::KanaToHepburn(run);
        benchmark::DoNotOptimize(slow);
        const double l = Seconds(start);
        if (fast != slow) state.SkipWithError("results differ");
        ours += o;
        literal += l;
        state.SetIterationTime(o);
    }
    SetRatio(state, ours, literal);
}

void BM_KanaToHepburnLongRun(benchmark::State& state) {
    RunAgainstLiteral(state, MixedKanaRun(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_KanaToHepburnLongRun)->Arg(32000)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_KanaToHepburnWord(benchmark::State& state) {
    // Ten kana, as the kana field holds them while the learner types.
    RunAgainstLiteral(state, EscapesOf("がっこうにいきました"));
}
BENCHMARK(BM_KanaToHepburnWord)->UseManualTime()->Unit(benchmark::kNanosecond);

// A document of `length` characters: lines of kanji with kana, German and mixed text.
std::string MixedDocument(std::size_t length) {
    const std::u32string lines[] = {U"日本語を勉強しています。", U"Grüße aus München, Straße 5",
                                    U"カタカナとひらがな", U"東京 Tokyo 2024 – „Zitat“", U"ちょっと待ってください"};
    std::u32string doc;
    for (std::size_t i = 0; doc.size() < length; ++i) doc += lines[i % std::size(lines)] + U"\n";
    doc.resize(length);
    return text::CodePointsToUtf8(doc);
}

void BM_PlainTextToRtf(benchmark::State& state) {
    const std::string doc = MixedDocument(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(text::PlainTextToRtf(doc));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_PlainTextToRtf)->Arg(32000)->Unit(benchmark::kMicrosecond);

void BM_RtfToPlainText(benchmark::State& state) {
    const std::string doc = MixedDocument(static_cast<std::size_t>(state.range(0)));
    const std::string rtf = text::PlainTextToRtf(doc);
    if (text::RtfToPlainText(rtf) != doc) state.SkipWithError("round trip differs");
    for (auto _ : state) benchmark::DoNotOptimize(text::RtfToPlainText(rtf));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_RtfToPlainText)->Arg(32000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
