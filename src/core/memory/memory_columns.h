#pragma once
// The memory of each word as columns of the statistics CSV: "Stabilität (Tage)",
// "Schwierigkeit", "Abrufwahrscheinlichkeit" (now) and "Fällig am", for one
// direction; empty for words without memory (never asked, or asked only before
// the history began).

#include "core/stats/stats_csv.h"
#include "store/date_time.h"

namespace morvanta::memory {

// Reads the memory of the direction at once; KeepInStep() first.
stats::WordColumns MemoryColumns(store::Database& db, stats::Direction direction, const store::DateTime& now);

// The word's memory in both directions, one line: "Gedächtnis: Japanisch →
// Deutsch 87 % (fällig am 12.12.2026) · Deutsch → Japanisch neu".
std::string WordMemoryLine(store::Database& db, std::int64_t wordId, const store::DateTime& now);

}  // namespace morvanta::memory
