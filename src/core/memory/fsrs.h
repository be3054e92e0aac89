#pragma once
// The memory model: how firmly a word is held, as its stability S (the days until
// the chance of recalling it has fallen to 90 %) and its difficulty D (1 to 10),
// and the chance R of recalling it t days after its last answer. These are the
// formulas of the open FSRS-6 model with its 21 weights w0…w20.
//
// Written over the number type, so that the optimiser runs the very same
// formulas on numbers that carry their derivatives (see fsrs_dual.h).

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

namespace morvanta::memory {

inline constexpr int kWeightCount = 21;
using Weights = std::array<double, kWeightCount>;

// Fitted on many millions of answers of many learners; a start for everyone.
inline constexpr Weights kDefaultWeights = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                            0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                            1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

// How an answer went. The quiz knows three of them: wrong, right, and right only
// because "Tolerant prüfen" let a near miss pass.
enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

inline constexpr double kMinStability = 0.001;
inline constexpr double kMaxStability = 36500.0;
inline constexpr double kMinDifficulty = 1.0;
inline constexpr double kMaxDifficulty = 10.0;

template <typename T>
struct State {
    T stability;
    T difficulty;
};

inline double ValueOf(double x) { return x; }

// Clamping keeps the value's derivatives inside the range and drops them outside.
template <typename T>
T Clamped(const T& x, double low, double high) {
    if (ValueOf(x) < low) return T(low);
    if (ValueOf(x) > high) return T(high);
    return x;
}

template <typename T>
T Smaller(const T& a, const T& b) {
    return ValueOf(b) < ValueOf(a) ? b : a;
}

// Weights with the terms that depend on them alone worked out once, for replaying
// many answers with the same weights.
struct PreparedWeights {
    explicit PreparedWeights(const Weights& weights);
    const double& operator[](int i) const { return w[static_cast<size_t>(i)]; }
    Weights w;
    double factor;          // f of the forgetting curve
    double recallGrowth;    // e^w8
    double easyDifficulty;  // the first difficulty of an Easy answer, unclamped
    double lapseCap;        // e^(w17·w18)
};

template <typename W>
inline constexpr bool kPrepared = std::is_same_v<W, PreparedWeights>;

// The forgetting curve: R(t, S) = (1 + f·t/S)^(−w20), with f chosen so that R(S, S) = 0.9.
template <typename T, typename W>
T Retrievability(const T& days, const T& stability, const W& w) {
    using std::pow;
    const T decay = -w[20];
    T factor;
    if constexpr (kPrepared<W>)
        factor = w.factor;
    else
        factor = pow(T(0.9), 1.0 / decay) - 1.0;
    return pow(1.0 + factor * days / stability, decay);
}

template <typename T, typename W>
T InitialStability(Rating rating, const W& w) {
    return Clamped(T(w[static_cast<int>(rating) - 1]), kMinStability, kMaxStability);
}

template <typename T, typename W>
T UnclampedInitialDifficulty(Rating rating, const W& w) {
    using std::exp;
    return T(w[4]) - exp(w[5] * (static_cast<int>(rating) - 1.0)) + 1.0;
}

template <typename T, typename W>
T InitialDifficulty(Rating rating, const W& w) {
    return Clamped(UnclampedInitialDifficulty<T>(rating, w), kMinDifficulty, kMaxDifficulty);
}

// A wrong answer raises the difficulty, a right one lowers it, less so the
// nearer it is to the end of the scale; then it reverts a little to that of a
// first answer rated Easy.
template <typename T, typename W>
T NextDifficulty(const T& difficulty, Rating rating, const W& w) {
    const T change = -w[6] * (static_cast<int>(rating) - 3.0);
    const T damped = difficulty + change * (10.0 - difficulty) / 9.0;
    T easy;
    if constexpr (kPrepared<W>)
        easy = w.easyDifficulty;
    else
        easy = UnclampedInitialDifficulty<T>(Rating::Easy, w);
    const T reverted = w[7] * easy + (1.0 - w[7]) * damped;
    return Clamped(reverted, kMinDifficulty, kMaxDifficulty);
}

// Stability after a recall on a later day: grows the more, the easier the word,
// the lower the stability was and the more it had been forgotten.
template <typename T, typename W>
T RecallStability(const T& stability, const T& difficulty, const T& recall, Rating rating, const W& w) {
    using std::exp;
    using std::pow;
    T base;
    if constexpr (kPrepared<W>)
        base = w.recallGrowth;
    else
        base = exp(T(w[8]));
    T growth = base * (11.0 - difficulty) * pow(stability, -w[9]) * (exp((1.0 - recall) * w[10]) - 1.0);
    if (rating == Rating::Hard) growth = growth * w[15];
    if (rating == Rating::Easy) growth = growth * w[16];
    return Clamped(stability * (growth + 1.0), kMinStability, kMaxStability);
}

// Stability after a lapse on a later day; never more than before.
template <typename T, typename W>
T LapseStability(const T& stability, const T& difficulty, const T& recall, const W& w) {
    using std::exp;
    using std::pow;
    const T longTerm =
        w[11] * pow(difficulty, -w[12]) * (pow(stability + 1.0, w[13]) - 1.0) * exp((1.0 - recall) * w[14]);
    T cap;
    if constexpr (kPrepared<W>)
        cap = w.lapseCap;
    else
        cap = exp(w[17] * w[18]);
    const T shortTerm = stability / cap;
    return Clamped(Smaller(longTerm, shortTerm), kMinStability, kMaxStability);
}

// Stability after another answer on the same day (the quiz asks a wrong word
// again minutes later); a right answer never lowers it.
template <typename T, typename W>
T SameDayStability(const T& stability, Rating rating, const W& w) {
    using std::exp;
    using std::pow;
    T growth = exp(w[17] * (static_cast<int>(rating) - 3.0 + w[18])) * pow(stability, -w[19]);
    if (rating >= Rating::Good && ValueOf(growth) < 1.0) growth = T(1.0);
    return Clamped(stability * growth, kMinStability, kMaxStability);
}

// The state after an answer given `days` whole calendar days after the last one.
template <typename T, typename W>
State<T> NextState(const State<T>& last, int days, Rating rating, const W& w) {
    State<T> next;
    if (days <= 0) {
        next.stability = SameDayStability(last.stability, rating, w);
    } else {
        const T recall = Retrievability(T(static_cast<double>(days)), last.stability, w);
        next.stability = rating == Rating::Again ? LapseStability(last.stability, last.difficulty, recall, w)
                                                 : RecallStability(last.stability, last.difficulty, recall, rating, w);
    }
    next.difficulty = NextDifficulty(last.difficulty, rating, w);
    return next;
}

template <typename T, typename W>
State<T> FirstState(Rating rating, const W& w) {
    return {InitialStability<T>(rating, w), InitialDifficulty<T>(rating, w)};
}

// The days after the last answer at which R falls to `retention`.
double IntervalDays(double stability, double retention, const Weights& w);

// A right answer passes: Good, or Hard for a near miss; a wrong one is Again.
Rating RatingOf(bool right, bool nearMiss);

}  // namespace morvanta::memory
