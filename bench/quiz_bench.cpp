// The quiz queue against the literal text algorithm, in the same run:
// building the random order for the largest selection, and wrong answers
// queued again near and far.

#include <benchmark/benchmark.h>

#include <chrono>

#include "core/quiz/random_source.h"
#include "core/quiz/question_queue.h"
#include "core/quiz/next_word.h"
#include "support/reference_ask_queue.h"

namespace {

using namespace morvanta;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

void SetRatio(benchmark::State& state, double ours, double literal) {
    state.counters["ours_ms"] = 1000 * ours / state.iterations();
    state.counters["literal_ms"] = 1000 * literal / state.iterations();
    state.counters["ratio"] = literal / ours;
}

void BM_OpenRandomQueue(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    double ours = 0, literal = 0;
    std::uint64_t seed = 1;
    for (auto _ : state) {
        quiz::StdRandom a(seed), b(seed);
        ++seed;
        auto start = Clock::now();
        auto queue = quiz::QuestionQueue::inRandomOrder(count, a);
        benchmark::DoNotOptimize(queue.text());
        const double o = Seconds(start);
        start = Clock::now();
        auto text = reference::BuildRandomAskQueue(count, b);
        benchmark::DoNotOptimize(text);
        const double l = Seconds(start);
        ours += o;
        literal += l;
        state.SetIterationTime(o);
    }
    SetRatio(state, ours, literal);
}
BENCHMARK(BM_OpenRandomQueue)->Arg(65535)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WrongAnswersRequeuedNearAndFar(benchmark::State& state) {
    const int count = 65535;
    const int answers = static_cast<int>(state.range(0));
    quiz::StdRandom setup(3);
    const auto start = quiz::QuestionQueue::inRandomOrder(count, setup);
    const std::string startText = start.text();
    const quiz::QuizOptions options;  // show again, twice, within the first 7
    double ours = 0, literal = 0;
    for (auto _ : state) {
        quiz::QuizState session;
        session.SelectionCount = count;
        session.AskQueue = start;
        std::string text = startText;
        quiz::StdRandom a(5), b(5);

        auto t = Clock::now();
        for (int i = 0; i < answers; ++i)
            quiz::AdvanceAfterAnswer(session, false, session.AskQueue.head(), options, a);
        const double o = Seconds(t);

        t = Clock::now();
        for (int i = 0; i < answers; ++i) {
            const int current = std::stoi(text.substr(0, 4), nullptr, 16);
            reference::TakeHead(text);
            reference::InsertEntry(text, 10 + b.random(count - 10), current);
            reference::InsertEntry(text, 4 + b.random(options.ChunkSize - 3), current);
        }
        const double l = Seconds(t);
        benchmark::DoNotOptimize(text);
        if (session.AskQueue.text() != text) state.SkipWithError("queues differ");
        ours += o;
        literal += l;
        state.SetIterationTime(o);
    }
    SetRatio(state, ours, literal);
}
BENCHMARK(BM_WrongAnswersRequeuedNearAndFar)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
