#pragma once
// What one of the learner's own statements did to the words, found by comparing
// the table with a copy taken before it ran, inside the statement's transaction:
// so that nothing is kept that the learner has not seen and agreed to.

#include <string>

namespace morvanta::store {

class Database;

struct ChangeCounts {
    int changed = 0;   // words still there with other values
    int inserted = 0;  // words that are new
    int deleted = 0;   // words gone, by DELETE or replaced through a conflict clause
    bool any() const { return changed + inserted + deleted > 0; }
};

class ChangeReview {
public:
    // Copies the words aside; call inside the transaction, before the statement.
    explicit ChangeReview(Database& db);
    ~ChangeReview();
    ChangeReview(const ChangeReview&) = delete;
    ChangeReview& operator=(const ChangeReview&) = delete;

    ChangeCounts counts() const;
    // Throws EngineError (isRefused) naming the field and why, when a new or
    // changed word holds a value its field cannot hold (text in a counter, a date
    // that is no date, Marked neither true nor false) or lost its Hepburn or
    // first translation.
    void requireSoundValues() const;

private:
    Database& db_;
};

}  // namespace morvanta::store
