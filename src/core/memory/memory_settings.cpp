#include "core/memory/memory_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/memory/optimizer.h"
#include "store/alias_config.h"

namespace morvanta::memory {

namespace {

constexpr char kWeightsParam[] = "FSRS_GEWICHTE";
constexpr char kRetentionParam[] = "GEWUENSCHTE_ERINNERUNG";
constexpr char kNewPerDayParam[] = "NEUE_PRO_TAG";

std::optional<int> Number(const store::AliasConfig& config, const char* param) {
    const auto text = config.aliasParam(store::kVocabularyAlias, param);
    if (!text) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size()) return std::nullopt;
    return value;
}

void Save(store::AliasConfig& config, const char* param, const std::string& value) {
    config.setAliasParam(store::kVocabularyAlias, param, value);
    config.saveConfig();
}

}  // namespace

LearnerSettings ReadLearnerSettings(const store::AliasConfig& config) {
    LearnerSettings settings;
    if (const auto percent = Number(config, kRetentionParam))
        settings.model.retention = std::clamp(*percent, kMinRetentionPercent, kMaxRetentionPercent) / 100.0;
    if (const auto count = Number(config, kNewPerDayParam)) settings.newPerDay = std::clamp(*count, 0, 9999);
    if (const auto text = config.aliasParam(store::kVocabularyAlias, kWeightsParam))
        if (const auto weights = ParseWeights(*text)) {
            // Weights edited by hand are brought into the ranges the model is sound in.
            settings.model.weights = Clipped(*weights);
            settings.fittedWeights = true;
        }
    return settings;
}

void SaveRetentionPercent(store::AliasConfig& config, int percent) {
    Save(config, kRetentionParam, std::to_string(std::clamp(percent, kMinRetentionPercent, kMaxRetentionPercent)));
}

void SaveNewPerDay(store::AliasConfig& config, int count) { Save(config, kNewPerDayParam, std::to_string(count)); }

void SaveWeights(store::AliasConfig& config, const Weights& weights) {
    Save(config, kWeightsParam, WeightsText(weights));
}

int RetentionPercent(double retention) { return static_cast<int>(std::lround(retention * 100.0)); }

std::string WeightsText(const Weights& weights) {
    std::string text;
    for (double w : weights) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, w).ptr;
        if (!text.empty()) text += ", ";
        text.append(buffer, end);
    }
    return text;
}

std::optional<Weights> ParseWeights(std::string_view text) {
    Weights weights{};
    size_t count = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        while (p < end && (*p == ' ' || *p == ',')) ++p;
        if (p == end) break;
        double value = 0;
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc() || count == weights.size() || !std::isfinite(value)) return std::nullopt;
        weights[count++] = value;
        p = next;
        if (p < end && *p != ',' && *p != ' ') return std::nullopt;
    }
    if (count != weights.size()) return std::nullopt;
    return weights;
}

}  // namespace morvanta::memory
