#include "core/memory/due_today.h"

#include <algorithm>
#include <unordered_set>

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
    // Read off the index alone (a deleted word's memory went with it).
    store::Statement dueRows = db.prepare(
        "SELECT WordId, LastAt, Stability FROM MemoryState WHERE Direction = ?1 AND DueAt <= ?2");
    dueRows.bindInt(1, direction);
    dueRows.bindText(2, now.toStorage());
    while (dueRows.step()) {
        const double days = std::max(0.0, nowDays - StoredDayTime(dueRows.columnText(1)).value_or(nowDays));
        due.push_back({dueRows.columnInt(0), days / std::max(dueRows.columnDouble(2), kMinStability)});
    }
    plan.dueNow = static_cast<int>(due.size());
    const size_t take = std::min(due.size(), static_cast<size_t>(std::max(request.count, 0)));
    std::partial_sort(due.begin(), due.begin() + static_cast<std::ptrdiff_t>(take), due.end(),
                      [](const Due& a, const Due& b) {
                          return a.forgotten != b.forgotten ? a.forgotten > b.forgotten : a.word < b.word;
                      });
    for (size_t i = 0; i < take; ++i) plan.due.push_back(due[i].word);

    // One pass over the table in its own order ("+" keeps the due index out of it).
    store::Statement begun = db.prepare("SELECT count(*) FROM MemoryState WHERE +Direction = ?1 AND FirstAt >= ?2");
    begun.bindInt(1, direction);
    begun.bindText(2, DayStart(now, 0));
    begun.step();
    plan.begunToday = static_cast<int>(begun.columnInt(0));

    // The marked words in key order, less those with a memory in this direction.
    std::unordered_set<std::int64_t> asked;
    store::Statement memories = db.prepare("SELECT WordId FROM MemoryState WHERE Direction = ?1");
    memories.bindInt(1, direction);
    while (memories.step()) asked.insert(memories.columnInt(0));
    store::Statement marked = db.prepare("SELECT WordId FROM VokabelOrder WHERE Marked = 1 ORDER BY SortKey, WordId");
    const int newToday = std::max(0, request.newPerDay - plan.begunToday);
    while (marked.step()) {
        const std::int64_t word = marked.columnInt(0);
        if (asked.count(word) != 0) continue;
        if (static_cast<int>(plan.fresh.size()) < newToday) plan.fresh.push_back(word);
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
        "SELECT substr(DueAt, 1, 10), count(*) FROM MemoryState WHERE Direction = ?1 AND DueAt < ?2 GROUP BY 1");
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
