#pragma once
// Today's due and new words for "due" and "quiz --due", chosen as the page
// "Statistik" chooses them, with the learner's settings.

#include "cli/arguments.h"
#include "core/memory/due_today.h"

namespace morvanta::cli {

class TableAccess;

// --count N (due words at most, default 30), --new N (new words a day, default
// the learner's "Neue pro Tag"), --direction ja-de|de-ja. The memory is brought
// in step first. Throws UsageError for bad values.
memory::TodayPlan TodayPlanFor(TableAccess& access, const Arguments& args, stats::Direction direction);

}  // namespace morvanta::cli
