#pragma once
// The statistics of every word as CSV for a spreadsheet: UTF-8 with a byte order
// mark, semicolons, CR LF, as German spreadsheet programs open it directly.

#include <ostream>

#include "core/stats/direction.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::stats {

// One line per word in key order: the word, how often it was asked and answered
// wrong and when it was last asked, and what the history holds of it, all for
// one direction (German → Japanese has no counters: its figures come from the
// history). Returns the number of words written.
int WriteStatisticsCsv(store::Database& db, std::ostream& out, Direction direction = Direction::JapaneseToGerman);

}  // namespace morvanta::stats
