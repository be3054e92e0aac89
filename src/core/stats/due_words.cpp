#include "core/stats/due_words.h"

#include <algorithm>
#include <unordered_set>

#include "core/stats/answer_history.h"
#include "store/database.h"

namespace morvanta::stats {

namespace {

struct Latest {
    std::int64_t word;
    std::string at;
    bool right;
};

// Every word answered in the direction, with its latest answer, most recent first.
std::vector<Latest> LatestAnswers(store::Database& db, Direction direction) {
    std::vector<Latest> latest;
    for (auto& [word, answers] : ReadWordAnswers(db, direction))
        latest.push_back({word, std::move(answers.lastAt), answers.lastRight});
    std::sort(latest.begin(), latest.end(), [](const Latest& a, const Latest& b) {
        return a.at != b.at ? a.at > b.at : a.word > b.word;
    });
    return latest;
}

}  // namespace

std::vector<std::int64_t> DueWords(store::Database& db, int count, Direction direction) {
    std::vector<std::int64_t> due;
    if (count <= 0) return due;
    // The history keeps the answers of deleted words.
    store::Statement exists = db.prepare("SELECT 1 FROM Vokabel WHERE rowid = ?1");
    std::unordered_set<std::int64_t> chosen;
    const auto take = [&](std::int64_t word) {
        if (static_cast<int>(due.size()) >= count || chosen.count(word) != 0) return;
        exists.bindInt(1, word);
        const bool there = exists.step();
        exists.reset();
        if (!there) return;
        chosen.insert(word);
        due.push_back(word);
    };
    const std::vector<Latest> latest = LatestAnswers(db, direction);
    std::vector<std::int64_t> wrong;
    for (const Latest& answer : latest)
        if (!answer.right) wrong.push_back(answer.word);
    const size_t half = static_cast<size_t>((count + 1) / 2);
    size_t nextWrong = 0;
    for (; nextWrong < wrong.size() && due.size() < half; ++nextWrong) take(wrong[nextWrong]);

    if (direction == Direction::JapaneseToGerman) {
        // The counters know this direction's words, also those asked before the history began.
        store::Statement oldest = db.prepare(
            "SELECT rowid FROM Vokabel WHERE NumberAsked > 0 ORDER BY DateAsked IS NOT NULL, DateAsked, rowid "
            "LIMIT ?1");
        oldest.bindInt(1, count + static_cast<int>(due.size()));
        while (oldest.step() && static_cast<int>(due.size()) < count) take(oldest.columnInt(0));
    } else {
        for (auto answer = latest.rbegin(); answer != latest.rend(); ++answer) take(answer->word);
    }
    for (; nextWrong < wrong.size(); ++nextWrong) take(wrong[nextWrong]);
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
