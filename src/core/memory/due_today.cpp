#include "core/memory/due_today.h"

#include <algorithm>

#include "core/memory/fsrs.h"
#include "core/memory/moments.h"
#include "store/database.h"

namespace morvanta::memory {

namespace {

struct Due {
    std::int64_t word;
    double forgotten;  // days since the last answer per day of stability: R falls as it grows
};

// The start of the day after `now`'s, in the stored date form.
std::string DayStart(const store::DateTime& now, int daysLater) {
    return FromDayTime(static_cast<double>(CalendarDay(now) + daysLater)).toStorage();
}

}  // namespace

TodayPlan PlanToday(store::Database& db, const TodayRequest& request, const store::DateTime& now) {
    TodayPlan plan;
    const int direction = static_cast<int>(request.direction);
    const double nowDays = DayTime(now);
    std::vector<Due> due;
    // Deleted words keep their memory, as they keep their history.
    store::Statement dueRows = db.prepare(
        "SELECT m.WordId, m.Stability, m.LastAt FROM MemoryState m JOIN Vokabel v ON v.rowid = m.WordId "
        "WHERE m.Direction = ?1 AND m.DueAt <= ?2");
    dueRows.bindInt(1, direction);
    dueRows.bindText(2, now.toStorage());
    while (dueRows.step()) {
        const auto last = store::DateTime::fromStorage(dueRows.columnText(2));
        const double days = last ? std::max(0.0, nowDays - DayTime(*last)) : 0.0;
        due.push_back({dueRows.columnInt(0), days / std::max(dueRows.columnDouble(1), kMinStability)});
    }
    plan.dueNow = static_cast<int>(due.size());
    const size_t take = std::min(due.size(), static_cast<size_t>(std::max(request.count, 0)));
    std::partial_sort(due.begin(), due.begin() + static_cast<std::ptrdiff_t>(take), due.end(),
                      [](const Due& a, const Due& b) {
                          return a.forgotten != b.forgotten ? a.forgotten > b.forgotten : a.word < b.word;
                      });
    for (size_t i = 0; i < take; ++i) plan.due.push_back(due[i].word);

    store::Statement begun =
        db.prepare("SELECT count(*) FROM MemoryState m JOIN Vokabel v ON v.rowid = m.WordId "
                   "WHERE m.Direction = ?1 AND m.FirstAt >= ?2");
    begun.bindInt(1, direction);
    begun.bindText(2, DayStart(now, 0));
    begun.step();
    plan.begunToday = static_cast<int>(begun.columnInt(0));

    store::Statement fresh = db.prepare(
        "SELECT o.WordId FROM VokabelOrder o WHERE o.Marked = 1 AND NOT EXISTS "
        "(SELECT 1 FROM MemoryState m WHERE m.WordId = o.WordId AND m.Direction = ?1) ORDER BY o.SortKey, o.WordId");
    fresh.bindInt(1, direction);
    const int newToday = std::max(0, request.newPerDay - plan.begunToday);
    while (fresh.step()) {
        if (static_cast<int>(plan.fresh.size()) < newToday) plan.fresh.push_back(fresh.columnInt(0));
        ++plan.newAvailable;
    }
    return plan;
}

std::string TodaySelectionSql(const TodayPlan& plan) {
    std::string sql = "SELECT * FROM Vokabel WHERE rowid IN (";
    bool first = true;
    for (const auto* words : {&plan.due, &plan.fresh})
        for (std::int64_t word : *words) {
            if (!first) sql += ',';
            sql += std::to_string(word);
            first = false;
        }
    return sql + ");";
}

std::vector<int> DueForecast(store::Database& db, stats::Direction direction, const store::DateTime& now,
                             int days) {
    std::vector<int> counts(static_cast<size_t>(std::max(days, 0)), 0);
    if (counts.empty()) return counts;
    store::Statement rows = db.prepare(
        "SELECT substr(m.DueAt, 1, 10), count(*) FROM MemoryState m JOIN Vokabel v ON v.rowid = m.WordId "
        "WHERE m.Direction = ?1 AND m.DueAt < ?2 GROUP BY 1");
    rows.bindInt(1, static_cast<int>(direction));
    rows.bindText(2, DayStart(now, days));
    const std::int64_t today = CalendarDay(now);
    while (rows.step()) {
        const auto day = store::DateTime::fromStorage(rows.columnText(0));
        if (!day) continue;
        const std::int64_t offset = std::max<std::int64_t>(0, CalendarDay(*day) - today);
        if (offset < days) counts[static_cast<size_t>(offset)] += static_cast<int>(rows.columnInt(1));
    }
    return counts;
}

}  // namespace morvanta::memory
