#pragma once
// The answer history: one row per booked answer, written in the same transaction
// as the booking in the word's record, so the two never disagree.

#include <cstdint>
#include <string_view>

#include "core/stats/direction.h"
#include "store/date_time.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::stats {

void AppendAnswer(store::Database& db, std::int64_t wordId, const store::DateTime& at, bool right,
                  std::string_view answer, Direction direction = Direction::JapaneseToGerman);

}  // namespace morvanta::stats
