#pragma once
// Which words are due, by a rule the learner can follow: first the words whose
// latest answer was wrong (most recent first), at most half of the count, then
// the asked words not asked for the longest time, then more of the wrong ones
// if words are still missing. Words never asked are new, not due. Each direction
// of asking has its own due words, from its own answers.

#include <cstdint>
#include <string>
#include <vector>

#include "core/stats/direction.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::stats {

// The rule as the page explains it.
inline constexpr char kDueRule[] =
    "Fällig sind zuerst die Vokabeln, deren letzte Antwort falsch war (die jüngsten "
    "zuerst, höchstens die Hälfte), dann die am längsten nicht mehr abgefragten. "
    "Noch nie abgefragte Vokabeln sind neu, nicht fällig.";

// Up to `count` words' rowids, in the order the rule picks them.
std::vector<std::int64_t> DueWords(store::Database& db, int count,
                                   Direction direction = Direction::JapaneseToGerman);

// The quiz selection of those words, one line, as the selection page and the
// status file take it.
std::string DueSelectionSql(const std::vector<std::int64_t>& words);

}  // namespace morvanta::stats
