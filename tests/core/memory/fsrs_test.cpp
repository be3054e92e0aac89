// The memory model against values worked out by hand from its published
// formulas, and its derivatives against finite differences.
#include <gtest/gtest.h>

#include "core/memory/fsrs.h"
#include "core/memory/fsrs_dual.h"

namespace morvanta::memory {
namespace {

struct Answered {
    int days;
    Rating rating;
};

template <typename T, typename W>
State<T> After(const std::vector<Answered>& answers, const W& w) {
    State<T> state = FirstState<T>(answers.front().rating, w);
    for (size_t i = 1; i < answers.size(); ++i) state = NextState(state, answers[i].days, answers[i].rating, w);
    return state;
}

TEST(MemoryModel, FollowsThePublishedFormulas) {
    constexpr Rating again = Rating::Again, hard = Rating::Hard, good = Rating::Good;
    const struct {
        const char* what;
        std::vector<Answered> answers;
        double stability, difficulty;
    } cases[] = {
        {"first answer", {{0, good}}, 2.306500000, 2.118103970},
        {"recall the next day", {{0, good}, {1, good}}, 7.315300744, 2.111214236},
        {"lapse after five days", {{0, good}, {5, again}}, 0.682598250, 7.394502741},
        {"same-day repeat, then hard", {{0, again}, {0, good}, {3, hard}}, 1.906225213, 7.596784691},
        {"long delay", {{0, good}, {1, good}, {400, good}}, 141.644481013, 2.104331391},
    };
    for (const auto& c : cases) {
        const State<double> state = After<double>(c.answers, kDefaultWeights);
        EXPECT_NEAR(state.stability, c.stability, 1e-6) << c.what;
        EXPECT_NEAR(state.difficulty, c.difficulty, 1e-6) << c.what;
    }
    EXPECT_NEAR(Retrievability(10.0, 4.0, kDefaultWeights), 0.826135877, 1e-6);
    EXPECT_NEAR(IntervalDays(5, 0.9, kDefaultWeights), 5.0, 1e-9);
    EXPECT_NEAR(IntervalDays(5, 0.8, kDefaultWeights), 16.579798931, 1e-6);
    EXPECT_EQ(RatingOf(false, false), again);
    EXPECT_EQ(RatingOf(true, true), hard);
    EXPECT_EQ(RatingOf(true, false), good);
}

TEST(MemoryModel, DerivativesMatchFiniteDifferences) {
    const std::vector<Answered> answers = {
        {0, Rating::Again}, {0, Rating::Good}, {2, Rating::Good}, {6, Rating::Hard}, {20, Rating::Again}, {3, Rating::Good}};
    const auto recall = [&](const Weights& w) {
        const State<double> s = After<double>(answers, w);
        return Retrievability(9.0, s.stability, w);
    };
    const auto variables = Variables(kDefaultWeights);
    const State<Dual> state = After<Dual>(answers, variables);
    const Dual r = Retrievability(Dual(9.0), state.stability, variables);
    EXPECT_NEAR(r.value, recall(kDefaultWeights), 1e-12);
    for (int i = 0; i < kWeightCount; ++i) {
        Weights up = kDefaultWeights, down = kDefaultWeights;
        const double h = 1e-6 * std::max(1.0, kDefaultWeights[i]);
        up[i] += h;
        down[i] -= h;
        EXPECT_NEAR(r.slope[i], (recall(up) - recall(down)) / (2 * h), 1e-5) << "w" << i;
    }
}

}  // namespace
}  // namespace morvanta::memory
