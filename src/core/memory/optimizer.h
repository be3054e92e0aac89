#pragma once
// Fits the model's weights to one learner: replays each word's answers and
// minimises the log loss of the predicted chance of recall against what the
// learner then answered, by gradient steps (Adam, in batches of words) with the
// weights kept in their sound ranges and drawn a little towards the defaults (a
// prior, the less the more answers there are). Judged out of sample: the weights are
// fitted on the earlier answers of each word and compared on its later ones.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/memory/fsrs.h"

namespace morvanta::memory {

// One answer of a word in one direction: its calendar day and how it went.
struct Review {
    std::int64_t day = 0;
    Rating rating = Rating::Good;
};
// A word's answers in one direction, in the order given.
using ReviewSequence = std::vector<Review>;

// Predictions are made for answers on a later day than the one before. The later
// part of each word's answers is those from a day on, the same for every word:
// which answers fall there does not depend on how they went, so the part is a
// fair test (the last answers of each word would be a biased one: a lapse is
// mostly followed by another answer).
enum class Part { All, Earlier, Later };

// The day from which a quarter of all predictions fall in the later part.
std::int64_t SplitDay(const std::vector<ReviewSequence>& words);

struct Fit {
    double logLoss = 0;
    double rmse = 0;      // over predictions binned by their chance of recall
    int predictions = 0;
};

Fit Evaluate(const Weights& weights, const std::vector<ReviewSequence>& words, Part part, std::int64_t splitDay = 0);

// Weights brought into the ranges the model is sound in.
Weights Clipped(const Weights& weights);

// Asked now and then with the share done; false cancels.
using FitProgress = std::function<bool(double done)>;

// The weights fitted on `part` of the answers, starting from `start`; nullopt when cancelled.
std::optional<Weights> FitWeights(const std::vector<ReviewSequence>& words, const Weights& start, Part part,
                                  std::int64_t splitDay = 0, const FitProgress& progress = {});

}  // namespace morvanta::memory
