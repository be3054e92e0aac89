#pragma once
// A word as the writers for other trainers take it: plain UTF-8 texts.

#include <cstdint>
#include <string>
#include <vector>

#include "core/exchange/run_progress.h"

namespace morvanta::store {
class DataSet;
}

namespace morvanta::foreign {

struct ExportWord {
    std::string kanji, kana, hepburn;  // Kanji and Hira-Kata as their plain text
    std::string translation1, translation2, translation3;
    std::int64_t lesson = 0;
    std::string type, note;
};

// The translations as one text, "Katze; Mieze".
std::string JoinedTranslations(const ExportWord& word);

// The records of `words` (the quiz selection) in their order, read in one pass;
// false when `progress` asked to stop.
bool ReadExportWords(store::DataSet& words, std::vector<ExportWord>& out,
                     const exchange::ProgressFn& progress = {});

}  // namespace morvanta::foreign
