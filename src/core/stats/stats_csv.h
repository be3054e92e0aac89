#pragma once
// The statistics of every word as CSV for a spreadsheet: UTF-8 with a byte order
// mark, semicolons, CR LF, as German spreadsheet programs open it directly.

#include <ostream>

namespace morvanta::store {
class Database;
}

namespace morvanta::stats {

// One line per word in key order: the word, its counters, when it was last asked
// and what the history holds of it. Returns the number of words written.
int WriteStatisticsCsv(store::Database& db, std::ostream& out);

}  // namespace morvanta::stats
