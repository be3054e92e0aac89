#include "cli/today_plan.h"

#include "cli/table_access.h"
#include "core/memory/memory_settings.h"
#include "store/database.h"

namespace morvanta::cli {

memory::TodayPlan TodayPlanFor(TableAccess& access, const Arguments& args, stats::Direction direction) {
    const memory::LearnerSettings settings = memory::ReadLearnerSettings(access.config());
    memory::TodayRequest request;
    request.direction = direction;
    if (const auto count = args.value("--count")) request.count = IntegerOption("--count", *count, 0, 100000);
    request.newPerDay = settings.newPerDay;
    if (const auto fresh = args.value("--new")) request.newPerDay = IntegerOption("--new", *fresh, 0, 100000);
    store::Database& db = access.open();
    memory::KeepInStep(db, settings.model);
    return memory::PlanToday(db, request, store::SystemClock().now());
}

}  // namespace morvanta::cli
