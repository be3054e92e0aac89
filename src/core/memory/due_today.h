#pragma once
// What to practise today: the words whose chance of recall has fallen below the
// wished retention, the most forgotten first, then marked words never asked, in
// key order. Each direction of asking has its own.

#include <cstdint>
#include <string>
#include <vector>

#include "core/stats/direction.h"
#include "store/date_time.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::memory {

// How "Fällige abfragen" chooses, as the page explains it.
inline constexpr char kDueRule[] =
    "Fällig sind die Vokabeln, die Sie nach dem Gedächtnismodell mit geringerer Wahrscheinlichkeit "
    "erinnern, als unter „Gewünschte Erinnerung“ eingestellt ist (die am ehesten vergessenen zuerst, "
    "bis „Anzahl“). Dazu kommen bis zu „Neue pro Tag“ markierte Vokabeln, die noch nie abgefragt wurden.";

struct TodayRequest {
    int count = 30;         // due words at most
    int newPerDay = 20;     // new words a day at most, those begun today counted
    stats::Direction direction = stats::Direction::JapaneseToGerman;
};

struct TodayPlan {
    std::vector<std::int64_t> due;    // the words chosen, the most forgotten first
    std::vector<std::int64_t> fresh;  // the new words chosen, in key order
    int dueNow = 0;                   // every word due now
    int newAvailable = 0;             // every marked word never asked
    int begunToday = 0;               // words asked today for the first time
};

// Reads the memory as it is; KeepInStep() first.
TodayPlan PlanToday(store::Database& db, const TodayRequest& request, const store::DateTime& now);

// The quiz selection of the plan's words, one line, as the selection page and
// the status file take it.
std::string TodaySelectionSql(const TodayPlan& plan);

// Words falling due on each of the next `days` days, today first (today's count
// holds the words due already).
std::vector<int> DueForecast(store::Database& db, stats::Direction direction, const store::DateTime& now,
                             int days = 30);

}  // namespace morvanta::memory
