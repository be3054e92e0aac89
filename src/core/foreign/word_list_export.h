#pragma once
// The quiz selection written for another trainer: CSV, KVTML or an Anki package.

#include <optional>
#include <ostream>
#include <string_view>

#include "core/exchange/run_progress.h"

namespace morvanta::store {
class DataSet;
}

namespace morvanta::foreign {

enum class ListFormat { Csv, Kvtml, AnkiPackage };

// "csv", "kvtml", "apkg"; nullopt for anything else.
std::optional<ListFormat> ListFormatNamed(std::string_view name);

// Reads the words, then writes them: progress counts to twice the number of
// words. False when `progress` asked to stop (the output is then unfinished).
bool WriteWordList(std::ostream& out, store::DataSet& words, ListFormat format,
                   const exchange::ProgressFn& progress = {});

}  // namespace morvanta::foreign
