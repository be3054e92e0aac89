#include "core/memory/fsrs.h"

namespace morvanta::memory {

PreparedWeights::PreparedWeights(const Weights& weights)
    : w(weights),
      factor(std::pow(0.9, -1.0 / weights[20]) - 1.0),
      recallGrowth(std::exp(weights[8])),
      easyDifficulty(UnclampedInitialDifficulty<double>(Rating::Easy, weights)),
      lapseCap(std::exp(weights[17] * weights[18])) {}

double IntervalDays(double stability, double retention, const Weights& w) {
    const double decay = -w[20];
    const double factor = std::pow(0.9, 1.0 / decay) - 1.0;
    const double days = stability / factor * (std::pow(retention, 1.0 / decay) - 1.0);
    return std::clamp(days, 0.0, kMaxStability);
}

Rating RatingOf(bool right, bool nearMiss) {
    if (!right) return Rating::Again;
    return nearMiss ? Rating::Hard : Rating::Good;
}

}  // namespace morvanta::memory
