#pragma once
// The learner's settings of the memory model, kept with the alias in the engine
// configuration beside the program's other switches: the wished retention
// ("Gewünschte Erinnerung"), the new words a day ("Neue pro Tag") and the
// model's weights once "Modell anpassen" has fitted them.

#include <optional>
#include <string>
#include <string_view>

#include "core/memory/memory_state.h"

namespace morvanta::store {
class AliasConfig;
}

namespace morvanta::memory {

inline constexpr int kMinRetentionPercent = 70;
inline constexpr int kMaxRetentionPercent = 97;
inline constexpr int kDefaultNewPerDay = 20;

struct LearnerSettings {
    ModelSettings model;
    int newPerDay = kDefaultNewPerDay;
    bool fittedWeights = false;  // the weights were fitted to this learner
};

// Missing or unreadable values are the defaults; numbers out of range are brought into it.
LearnerSettings ReadLearnerSettings(const store::AliasConfig& config);

// Each saves the configuration file; throws EngineError when it cannot be written.
void SaveRetentionPercent(store::AliasConfig& config, int percent);
void SaveNewPerDay(store::AliasConfig& config, int count);
void SaveWeights(store::AliasConfig& config, const Weights& weights);

int RetentionPercent(double retention);

// "0.212, 1.2931, …": the shortest text that reads back as the same numbers.
std::string WeightsText(const Weights& weights);
std::optional<Weights> ParseWeights(std::string_view text);

}  // namespace morvanta::memory
