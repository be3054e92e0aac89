#pragma once
// "Modell anpassen": the weights fitted to the learner's own answer history,
// kept only when they predict the later answers of each word better than the
// weights in use.

#include <optional>
#include <string>
#include <vector>

#include "core/memory/optimizer.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::memory {

inline constexpr int kMinFitAnswers = 1000;
inline constexpr int kMinFitWords = 100;

// Each word's answers in each direction, from the history, in booking order.
std::vector<ReviewSequence> ReadReviewSequences(store::Database& db);

struct FitReport {
    int answers = 0;
    int words = 0;           // words with answers, each direction counted
    Fit defaults, current, fitted;  // on the later part of each word's answers
    bool currentAreDefaults = true;
    Weights weights{};       // the fitted weights
    bool better = false;     // they predict better than the current ones: keep them
};

// Throws std::runtime_error (German) when the history is too short to fit;
// nullopt when cancelled.
std::optional<FitReport> FitToLearner(store::Database& db, const Weights& current, const FitProgress& progress = {});

// The report as the learner reads it, several lines.
std::string FitReportText(const FitReport& report);

}  // namespace morvanta::memory
