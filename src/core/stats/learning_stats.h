#pragma once
// What the statistics page shows, for one direction of asking. Japanese → German
// reads the words' counters (booked only that way) and that direction's history;
// German → Japanese reads its history alone. The words are read in one pass, the
// history through its time index or in one pass.

#include <QDate>
#include <cstdint>
#include <string>
#include <vector>

#include "core/stats/direction.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::stats {

struct DayAnswers {
    QDate day;
    int right = 0;
    int wrong = 0;
};

// Answers booked per day, for the `days` days up to and including `today`,
// oldest first; days without answers are there with 0.
std::vector<DayAnswers> AnswersPerDay(store::Database& db, QDate today, int days,
                                      Direction direction = Direction::JapaneseToGerman);

// Errors of a group of words (a lesson, a type), from the words' answers.
struct GroupErrors {
    std::string label;
    std::int64_t asked = 0;
    std::int64_t wrong = 0;
    double ratio() const { return asked == 0 ? 0.0 : static_cast<double>(wrong) / static_cast<double>(asked); }
};

// When the words were last asked: exclusive spans counted back from today.
struct LastAskedSpread {
    int today = 0;
    int lastWeek = 0;   // 1 to 6 days ago
    int lastMonth = 0;  // 7 to 29 days ago
    int longer = 0;     // 30 days ago or earlier
    int never = 0;      // never asked (that way)
};

struct TroubleWord {
    std::int64_t wordId = 0;
    std::string kanji, kana, hepburn, translation;  // plain text
    std::int64_t asked = 0;
    std::int64_t wrong = 0;
};

struct WordFigures {
    int words = 0;
    int marked = 0;
    int askedOnce = 0;
    std::vector<GroupErrors> lessons;  // lessons with asked words, ascending
    std::vector<GroupErrors> types;    // types with asked words, by name
    LastAskedSpread lastAsked;
    std::vector<TroubleWord> trouble;  // most wrong answers first
};

// Every word's figures, in one pass over the table; `trouble` holds up to
// `troubleCount` words answered wrong at least once.
WordFigures ReadWordFigures(store::Database& db, QDate today, Direction direction = Direction::JapaneseToGerman,
                            int troubleCount = 20);

// Answers in the seven days up to and including today.
int AnswersInLastWeek(store::Database& db, QDate today, Direction direction = Direction::JapaneseToGerman);

// Days in a row with at least one answer, ending today, or yesterday when today
// has none yet (the streak is not broken before the day is over).
int PracticeStreak(store::Database& db, QDate today, Direction direction = Direction::JapaneseToGerman);

}  // namespace morvanta::stats
