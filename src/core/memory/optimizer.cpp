#include "core/memory/optimizer.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <utility>

#include "core/memory/fsrs_dual.h"

namespace morvanta::memory {

namespace {

// The ranges the model's formulas stay sound in, weight by weight.
constexpr std::pair<double, double> kBounds[kWeightCount] = {
    {kMinStability, 100.0}, {kMinStability, 100.0}, {kMinStability, 100.0}, {kMinStability, 100.0},
    {kMinDifficulty, kMaxDifficulty},
    {0.001, 4.0}, {0.001, 4.0}, {0.001, 0.75}, {0.0, 4.5}, {0.0, 0.8}, {0.001, 3.5}, {0.001, 5.0},
    {0.001, 0.25}, {0.001, 0.9}, {0.0, 4.0}, {0.0, 1.0}, {1.0, 6.0}, {0.0, 2.0}, {0.0, 2.0}, {0.01, 0.8},
    {0.1, 0.8},
};

constexpr double kTiny = 1e-9;

// How far each weight strays between learners: the prior that keeps a short
// history from pulling the weights where its few answers cannot vouch for them.
constexpr double kSpread[kWeightCount] = {6.43, 9.66, 17.58, 27.85, 0.57, 0.28, 0.6,  0.12, 0.39, 0.18, 0.33,
                                          0.3,  0.09, 0.16,  0.57,  0.25, 1.03, 0.31, 0.32, 0.14, 0.27};

// Calls predicted(R, recalled) for each of the word's answers in `part`, R
// being the chance of recall the model gave before the answer.
template <typename T, typename W, typename Predicted>
void Walk(const ReviewSequence& word, const W& w, Part part, std::int64_t splitDay, Predicted&& predicted) {
    if (word.size() < 2) return;
    State<T> state = FirstState<T>(word[0].rating, w);
    for (size_t i = 1; i < word.size(); ++i) {
        const std::int64_t days = std::max<std::int64_t>(0, word[i].day - word[i - 1].day);
        if (days >= 1) {
            const bool later = word[i].day >= splitDay;
            if (part == Part::Earlier && later) return;
            if (part == Part::All || (part == Part::Later) == later)
                predicted(Retrievability(T(static_cast<double>(days)), state.stability, w),
                          word[i].rating != Rating::Again);
        }
        state = NextState(state, static_cast<int>(std::min<std::int64_t>(days, 1 << 30)), word[i].rating, w);
    }
}

int Predictions(const ReviewSequence& word, Part part, std::int64_t splitDay) {
    int count = 0;
    Walk<double>(word, kDefaultWeights, part, splitDay, [&](double, bool) { ++count; });
    return count;
}

struct Adam {
    Weights first{}, second{};
    int steps = 0;
    void step(Weights& weights, const Weights& gradient, double rate) {
        constexpr double b1 = 0.9, b2 = 0.999, epsilon = 1e-8;
        ++steps;
        for (int i = 0; i < kWeightCount; ++i) {
            first[i] = b1 * first[i] + (1 - b1) * gradient[i];
            second[i] = b2 * second[i] + (1 - b2) * gradient[i] * gradient[i];
            const double m = first[i] / (1 - std::pow(b1, steps));
            const double v = second[i] / (1 - std::pow(b2, steps));
            weights[i] -= rate * m / (std::sqrt(v) + epsilon);
        }
    }
};

}  // namespace

Weights Clipped(const Weights& weights) {
    Weights clipped = weights;
    for (int i = 0; i < kWeightCount; ++i)
        clipped[i] = std::clamp(std::isfinite(weights[i]) ? weights[i] : kDefaultWeights[i], kBounds[i].first,
                                kBounds[i].second);
    return clipped;
}

std::int64_t SplitDay(const std::vector<ReviewSequence>& words) {
    std::vector<std::int64_t> days;
    for (const ReviewSequence& word : words)
        for (size_t i = 1; i < word.size(); ++i)
            if (word[i].day > word[i - 1].day) days.push_back(word[i].day);
    if (days.empty()) return 0;
    const auto quarter = days.begin() + static_cast<std::ptrdiff_t>(days.size() * 3 / 4);
    std::nth_element(days.begin(), quarter, days.end());
    return *quarter;
}

Fit Evaluate(const Weights& weights, const std::vector<ReviewSequence>& words, Part part, std::int64_t splitDay) {
    constexpr int kBins = 20;
    double loss = 0;
    double binPredicted[kBins] = {}, binRecalled[kBins] = {};
    int binCount[kBins] = {};
    Fit fit;
    for (const ReviewSequence& word : words)
        Walk<double>(word, weights, part, splitDay, [&](double recall, bool recalled) {
            const double p = std::clamp(recall, kTiny, 1 - kTiny);
            loss -= recalled ? std::log(p) : std::log(1 - p);
            const int bin = std::min(kBins - 1, static_cast<int>(p * kBins));
            binPredicted[bin] += p;
            binRecalled[bin] += recalled ? 1 : 0;
            ++binCount[bin];
            ++fit.predictions;
        });
    if (fit.predictions == 0) return fit;
    fit.logLoss = loss / fit.predictions;
    double squares = 0;
    for (int bin = 0; bin < kBins; ++bin)
        if (binCount[bin] > 0) {
            const double gap = (binPredicted[bin] - binRecalled[bin]) / binCount[bin];
            squares += binCount[bin] * gap * gap;
        }
    fit.rmse = std::sqrt(squares / fit.predictions);
    return fit;
}

std::optional<Weights> FitWeights(const std::vector<ReviewSequence>& words, const Weights& start, Part part,
                                  std::int64_t splitDay, const FitProgress& progress) {
    constexpr int kBatch = 512;     // predictions per step
    constexpr int kMinSteps = 200;  // small histories go round more often
    constexpr double kRate = 0.04;
    std::vector<size_t> order;
    std::vector<int> predictions(words.size());
    int total = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        predictions[i] = Predictions(words[i], part, splitDay);
        total += predictions[i];
        if (predictions[i] > 0) order.push_back(i);
    }
    Weights weights = Clipped(start);
    if (total == 0) return weights;
    const int batchesPerRound = std::max(1, (total + kBatch - 1) / kBatch);
    const int rounds = std::clamp((kMinSteps + batchesPerRound - 1) / batchesPerRound, 5, 200);
    const int steps = rounds * batchesPerRound;
    std::mt19937 shuffle(20261207);
    Adam adam;
    int step = 0;
    for (int round = 0; round < rounds; ++round) {
        std::shuffle(order.begin(), order.end(), shuffle);
        size_t next = 0;
        while (next < order.size()) {
            Weights gradient{};
            int counted = 0;
            const auto w = Variables(weights);
            for (; next < order.size() && counted < kBatch; ++next)
                Walk<Dual>(words[order[next]], w, part, splitDay, [&](const Dual& recall, bool recalled) {
                    const double p = std::clamp(recall.value, kTiny, 1 - kTiny);
                    // d(log loss)/dR
                    const double slope = recalled ? -1.0 / p : 1.0 / (1.0 - p);
                    for (int i = 0; i < kWeightCount; ++i) gradient[i] += slope * recall.slope[i];
                    ++counted;
                });
            if (counted == 0) continue;
            // The batch's mean log loss, and its share of the prior's pull towards the defaults.
            const double share = static_cast<double>(counted) / total;
            for (int i = 0; i < kWeightCount; ++i)
                gradient[i] = gradient[i] / counted +
                              2 * share * (weights[i] - kDefaultWeights[i]) / (kSpread[i] * kSpread[i]);
            const double rate = kRate * 0.5 * (1 + std::cos(M_PI * step / steps));
            adam.step(weights, gradient, rate);
            weights = Clipped(weights);
            ++step;
            if (progress && step % 8 == 0 && !progress(static_cast<double>(step) / steps)) return std::nullopt;
        }
    }
    if (progress && !progress(1.0)) return std::nullopt;
    return weights;
}

}  // namespace morvanta::memory
