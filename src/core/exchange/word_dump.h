#pragma once
// The three-line word dump: per record of the selection the stored Kanji
// document, the stored Hira-Kata document and Translation1, each ended by
// CR LF; Windows-1252 text.

#include <ostream>

#include "core/exchange/run_progress.h"

namespace morvanta::store {
class DataSet;
}

namespace morvanta::exchange {

// The query's records, read in one pass without moving it; false when cancelled.
bool WriteWordDump(std::ostream& out, store::DataSet& query, const ProgressFn& progress = {});

}  // namespace morvanta::exchange
