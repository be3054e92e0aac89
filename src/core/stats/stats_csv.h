#pragma once
// The statistics of every word as CSV for a spreadsheet: UTF-8 with a byte order
// mark, semicolons, CR LF, as German spreadsheet programs open it directly.

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/stats/direction.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::stats {

// One line per word in key order: the word, how often it was asked and answered
// wrong and when it was last asked, and what the history holds of it, all for
// one direction (German → Japanese has no counters: its figures come from the
// history). Returns the number of words written.
//
// Columns that other subjects add at the end, for each word by its rowid.
struct WordColumns {
    std::vector<std::string> headers;
    std::function<std::vector<std::string>(std::int64_t wordId)> cells;  // one per header
};

int WriteStatisticsCsv(store::Database& db, std::ostream& out, Direction direction = Direction::JapaneseToGerman,
                       const WordColumns* more = nullptr);

}  // namespace morvanta::stats
