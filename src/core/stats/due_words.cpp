#include "core/stats/due_words.h"

#include <algorithm>
#include <unordered_set>

#include "store/database.h"

namespace morvanta::stats {

namespace {

// Words still in the table whose latest booked answer was wrong, most recent first.
std::vector<std::int64_t> LatestWrong(store::Database& db) {
    // With max(), SQLite takes the other columns from the row holding the maximum.
    store::Statement wrong = db.prepare(
        "SELECT h.WordId, max(h.AskedAt), h.Correct FROM AnswerHistory h "
        "JOIN Vokabel v ON v.rowid = h.WordId GROUP BY h.WordId ORDER BY 2 DESC");
    std::vector<std::int64_t> words;
    while (wrong.step())
        if (wrong.columnInt(2) == 0) words.push_back(wrong.columnInt(0));
    return words;
}

}  // namespace

std::vector<std::int64_t> DueWords(store::Database& db, int count) {
    std::vector<std::int64_t> due;
    if (count <= 0) return due;
    std::unordered_set<std::int64_t> chosen;
    const auto take = [&](std::int64_t word) {
        if (static_cast<int>(due.size()) < count && chosen.insert(word).second) due.push_back(word);
    };
    const std::vector<std::int64_t> wrong = LatestWrong(db);
    const size_t firstWrong = std::min(wrong.size(), static_cast<size_t>((count + 1) / 2));
    for (size_t i = 0; i < firstWrong; ++i) take(wrong[i]);

    store::Statement oldest = db.prepare(
        "SELECT rowid FROM Vokabel WHERE NumberAsked > 0 ORDER BY DateAsked IS NOT NULL, DateAsked, rowid "
        "LIMIT ?1");
    oldest.bindInt(1, count + static_cast<int>(firstWrong));
    while (oldest.step() && static_cast<int>(due.size()) < count) take(oldest.columnInt(0));
    for (size_t i = firstWrong; i < wrong.size(); ++i) take(wrong[i]);
    return due;
}

std::string DueSelectionSql(const std::vector<std::int64_t>& words) {
    std::string sql = "SELECT * FROM Vokabel WHERE rowid IN (";
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0) sql += ',';
        sql += std::to_string(words[i]);
    }
    return sql + ");";
}

}  // namespace morvanta::stats
