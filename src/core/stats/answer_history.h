#pragma once
// The answer history: one row per booked answer, written in the same transaction
// as the booking in the word's record, so the two never disagree.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/stats/direction.h"
#include "store/date_time.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::stats {

// Returns the new row's id. `tolerant`: right only because "Tolerant prüfen" let a near miss pass.
std::int64_t AppendAnswer(store::Database& db, std::int64_t wordId, const store::DateTime& at, bool right,
                          std::string_view answer, Direction direction = Direction::JapaneseToGerman,
                          bool tolerant = false);

// What the history holds of one word in one direction.
struct WordAnswers {
    std::int64_t asked = 0;
    std::int64_t wrong = 0;
    std::string lastAt;  // the latest answer's time, in the stored date form
    bool lastRight = false;
};

// Every word's answers in `direction`, by the word's rowid; words deleted since
// are there too. One sequential pass over the history.
std::unordered_map<std::int64_t, WordAnswers> ReadWordAnswers(store::Database& db, Direction direction);

}  // namespace morvanta::stats
