#include "core/stats/learning_stats.h"

#include <algorithm>
#include <map>
#include <queue>
#include <unordered_map>

#include "core/stats/answer_history.h"
#include "store/database.h"
#include "store/type_words.h"
#include "text/rich_text.h"

namespace morvanta::stats {

namespace {

std::string IsoDay(QDate day) { return day.toString(Qt::ISODate).toStdString(); }

// The type order of the entry page first, then any other type by name.
int TypeRank(const std::string& type) {
    const auto it = std::find(store::kTypeWords.begin(), store::kTypeWords.end(), type);
    return static_cast<int>(it - store::kTypeWords.begin());
}

struct Candidate {
    std::int64_t wrong, asked, wordId;
    // The heap's top is the weakest of the kept: fewest wrong, then most asked, then newest.
    bool operator<(const Candidate& other) const {
        if (wrong != other.wrong) return wrong > other.wrong;
        if (asked != other.asked) return asked < other.asked;
        return wordId < other.wordId;
    }
};

void ReadTroubleWords(store::Database& db, std::vector<Candidate> kept, std::vector<TroubleWord>& out) {
    std::sort(kept.begin(), kept.end());
    store::Statement word = db.prepare(
        "SELECT Kanji, \"Hira-Kata\", Hepburn, Translation1 FROM Vokabel WHERE rowid = ?1");
    for (const Candidate& c : kept) {
        word.bindInt(1, c.wordId);
        if (word.step()) {
            out.push_back({c.wordId, text::RtfToPlainText(word.columnText(0)),
                           text::RtfToPlainText(word.columnText(1)), std::string(word.columnText(2)),
                           std::string(word.columnText(3)), c.asked, c.wrong});
        }
        word.reset();
    }
}

}  // namespace

std::vector<DayAnswers> AnswersPerDay(store::Database& db, QDate today, int days, Direction direction) {
    std::vector<DayAnswers> result;
    if (days <= 0) return result;
    const QDate first = today.addDays(1 - days);
    for (int i = 0; i < days; ++i) result.push_back({first.addDays(i), 0, 0});
    store::Statement per = db.prepare(
        "SELECT substr(AskedAt, 1, 10), total(Correct), count(*) FROM AnswerHistory "
        "WHERE AskedAt >= ?1 AND AskedAt < ?2 AND Direction = ?3 GROUP BY 1");
    per.bindText(1, IsoDay(first));
    per.bindText(2, IsoDay(today.addDays(1)));
    per.bindInt(3, static_cast<int>(direction));
    while (per.step()) {
        const QDate day = QDate::fromString(QString::fromUtf8(per.columnText(0)), Qt::ISODate);
        const qint64 index = first.daysTo(day);
        if (index < 0 || index >= days) continue;
        DayAnswers& slot = result[static_cast<size_t>(index)];
        slot.right = static_cast<int>(per.columnDouble(1));
        slot.wrong = static_cast<int>(per.columnInt(2)) - slot.right;
    }
    return result;
}

WordFigures ReadWordFigures(store::Database& db, QDate today, Direction direction, int troubleCount) {
    WordFigures figures;
    const std::string todayText = IsoDay(today);
    const std::string weekText = IsoDay(today.addDays(-6));
    const std::string monthText = IsoDay(today.addDays(-29));
    std::map<std::int64_t, GroupErrors> lessons;  // lesson, or INT64_MIN for none
    std::map<std::pair<int, std::string>, GroupErrors> types;
    std::priority_queue<Candidate> kept;
    // The counters are booked only when the Japanese is shown; the other way round
    // the history alone knows what was asked.
    const bool fromHistory = direction == Direction::GermanToJapanese;
    std::unordered_map<std::int64_t, WordAnswers> history;
    if (fromHistory) history = ReadWordAnswers(db, direction);

    store::Statement words = db.prepare(
        "SELECT rowid, Lesson, Type, NumberAsked, NumberWrong, DateAsked, Marked, Lesson IS NULL "
        "FROM Vokabel");
    while (words.step()) {
        ++figures.words;
        if (words.columnInt(6) == 1) ++figures.marked;
        std::int64_t asked = 0, wrong = 0;
        std::string_view lastAt;
        if (!fromHistory) {
            asked = words.columnInt(3);
            wrong = words.columnInt(4);
            lastAt = words.columnText(5);
        } else if (const auto found = history.find(words.columnInt(0)); found != history.end()) {
            asked = found->second.asked;
            wrong = found->second.wrong;
            lastAt = found->second.lastAt;
        }
        if (asked <= 0) {
            ++figures.lastAsked.never;
            continue;
        }
        wrong = std::clamp<std::int64_t>(wrong, 0, asked);
        ++figures.askedOnce;
        const std::string_view date = lastAt.substr(0, 10);
        if (date.empty()) ++figures.lastAsked.longer;
        else if (date >= todayText) ++figures.lastAsked.today;
        else if (date >= weekText) ++figures.lastAsked.lastWeek;
        else if (date >= monthText) ++figures.lastAsked.lastMonth;
        else ++figures.lastAsked.longer;

        GroupErrors& lesson = lessons[words.columnInt(7) != 0 ? INT64_MIN : words.columnInt(1)];
        lesson.asked += asked;
        lesson.wrong += wrong;
        std::string type(words.columnText(2));
        GroupErrors& group = types[{TypeRank(type), type}];
        group.asked += asked;
        group.wrong += wrong;

        if (wrong > 0 && troubleCount > 0) {
            kept.push({wrong, asked, words.columnInt(0)});
            if (static_cast<int>(kept.size()) > troubleCount) kept.pop();
        }
    }
    for (auto& [lesson, group] : lessons) {
        group.label = lesson == INT64_MIN ? std::string("ohne") : std::to_string(lesson);
        figures.lessons.push_back(group);
    }
    for (auto& [key, group] : types) {
        group.label = key.second.empty() ? std::string("ohne Typ") : key.second;
        figures.types.push_back(group);
    }
    std::vector<Candidate> best;
    for (; !kept.empty(); kept.pop()) best.push_back(kept.top());
    ReadTroubleWords(db, std::move(best), figures.trouble);
    return figures;
}

int AnswersInLastWeek(store::Database& db, QDate today, Direction direction) {
    store::Statement count = db.prepare(
        "SELECT count(*) FROM AnswerHistory WHERE AskedAt >= ?1 AND AskedAt < ?2 AND Direction = ?3");
    count.bindText(1, IsoDay(today.addDays(-6)));
    count.bindText(2, IsoDay(today.addDays(1)));
    count.bindInt(3, static_cast<int>(direction));
    return count.step() ? static_cast<int>(count.columnInt(0)) : 0;
}

int PracticeStreak(store::Database& db, QDate today, Direction direction) {
    // One probe per day through the time index: it reads at most that day's answers,
    // however many of the other direction lie before the latest one of this.
    store::Statement any = db.prepare(
        "SELECT EXISTS (SELECT 1 FROM AnswerHistory WHERE AskedAt >= ?1 AND AskedAt < ?2 AND Direction = ?3)");
    const auto practised = [&](QDate day) {
        any.bindText(1, IsoDay(day));
        any.bindText(2, IsoDay(day.addDays(1)));
        any.bindInt(3, static_cast<int>(direction));
        const bool found = any.step() && any.columnInt(0) == 1;
        any.reset();
        return found;
    };
    // No answer today yet: the streak up to yesterday still counts.
    QDate day = practised(today) ? today : today.addDays(-1);
    int streak = 0;
    for (; practised(day); day = day.addDays(-1)) ++streak;
    return streak;
}

}  // namespace morvanta::stats
