#include "core/memory/memory_state.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/memory/memory_settings.h"
#include "core/memory/moments.h"
#include "store/database.h"
#include "store/schema.h"

namespace morvanta::memory {

namespace {

struct Replayed {
    State<double> state{};
    store::DateTime firstAt, lastAt;
    int answers = 0;
};

// The due time: when the chance of recall falls to the retention.
store::DateTime DueAt(double stability, const store::DateTime& lastAt, const ModelSettings& settings) {
    return FromDayTime(DayTime(lastAt) + IntervalDays(stability, settings.retention, settings.weights));
}

// The answer moves the state on, or starts it.
void Answer(Replayed& word, const store::DateTime& at, Rating rating, const Weights& weights) {
    if (word.answers == 0) {
        word.state = FirstState<double>(rating, weights);
        word.firstAt = at;
    } else {
        // A clock put back gives no negative days: that answer counts as the same day's.
        const auto days = std::max<std::int64_t>(0, CalendarDay(at) - CalendarDay(word.lastAt));
        word.state = NextState(word.state, static_cast<int>(std::min<std::int64_t>(days, 1 << 30)), rating, weights);
    }
    word.lastAt = at;
    ++word.answers;
}

void WriteState(store::Statement& insert, std::int64_t wordId, int direction, const Replayed& word,
                const ModelSettings& settings) {
    insert.bindInt(1, wordId);
    insert.bindInt(2, direction);
    insert.bindDouble(3, word.state.stability);
    insert.bindDouble(4, word.state.difficulty);
    insert.bindText(5, word.firstAt.toStorage());
    insert.bindText(6, word.lastAt.toStorage());
    insert.bindText(7, DueAt(word.state.stability, word.lastAt, settings).toStorage());
    insert.bindInt(8, word.answers);
    insert.run();
    insert.reset();
}

constexpr char kInsertState[] =
    "INSERT OR REPLACE INTO MemoryState (WordId, Direction, Stability, Difficulty, FirstAt, LastAt, DueAt, Answers) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)";

// One transaction over the memory: on the file's tables with the checks of every
// write, or on the stand-ins in memory of a file that takes no writes.
class MemoryWrite {
public:
    explicit MemoryWrite(store::Database& db) : db_(db) {
        if (db.readOnly())
            db.exec("BEGIN");
        else
            transaction_.emplace(db);
    }
    ~MemoryWrite() {
        if (transaction_ || done_) return;
        try {
            db_.exec("ROLLBACK");
        } catch (...) {
        }
    }
    MemoryWrite(const MemoryWrite&) = delete;
    MemoryWrite& operator=(const MemoryWrite&) = delete;
    void commit() {
        if (transaction_)
            transaction_->commit();
        else
            db_.exec("COMMIT");
        done_ = true;
    }

private:
    store::Database& db_;
    std::optional<store::Transaction> transaction_;
    bool done_ = false;
};

store::DateTime Moment(std::string_view stored) {
    return store::DateTime::fromStorage(stored).value_or(store::DateTime{});
}

void MoveDueTimes(store::Database& db, const ModelSettings& settings) {
    MemoryWrite transaction(db);
    store::Statement rows = db.prepare("SELECT WordId, Direction, Stability, LastAt FROM MemoryState");
    store::Statement update = db.prepare("UPDATE MemoryState SET DueAt = ?3 WHERE WordId = ?1 AND Direction = ?2");
    while (rows.step()) {
        update.bindInt(1, rows.columnInt(0));
        update.bindInt(2, rows.columnInt(1));
        update.bindText(3, DueAt(rows.columnDouble(2), Moment(rows.columnText(3)), settings).toStorage());
        update.run();
        update.reset();
    }
    store::Statement model = db.prepare("UPDATE MemoryModel SET Retention = ?1");
    model.bindDouble(1, settings.retention);
    model.run();
    transaction.commit();
}

}  // namespace

double RecallAt(const WordMemory& memory, const store::DateTime& now, const Weights& weights) {
    const double days = std::max(0.0, DayTime(now) - DayTime(memory.lastAt));
    return Retrievability(days, memory.stability, weights);
}

std::optional<ModelSettings> StoredSettings(store::Database& db) {
    store::Statement model = db.prepare("SELECT Weights, Retention FROM MemoryModel");
    if (!model.step()) return std::nullopt;
    const auto weights = ParseWeights(model.columnText(0));
    if (!weights) return std::nullopt;
    return ModelSettings{*weights, model.columnDouble(1)};
}

Upkeep KeepInStep(store::Database& db, const ModelSettings& settings) {
    store::Statement check = db.prepare(
        "SELECT m.Weights = ?1 AND m.Answers = (SELECT count(*) FROM AnswerHistory) AND "
        "m.LastAnswerId = (SELECT ifnull(max(Id), 0) FROM AnswerHistory), m.Retention = ?2 FROM MemoryModel m");
    check.bindText(1, WeightsText(settings.weights));
    check.bindDouble(2, settings.retention);
    const bool made = check.step() && check.columnInt(0) == 1;
    const bool sameRetention = made && check.columnInt(1) == 1;
    check.reset();
    if (made && sameRetention) return Upkeep::InStep;
    if (db.readOnly()) {
        // The file's own tables cannot change: tables in memory take their place.
        store::MakeMemoryStandIn(db);
        Replay(db, settings);
        return Upkeep::Replayed;
    }
    if (made) {
        MoveDueTimes(db, settings);
        return Upkeep::DueTimesMoved;
    }
    Replay(db, settings);
    return Upkeep::Replayed;
}

void Replay(store::Database& db, const ModelSettings& settings) {
    MemoryWrite transaction(db);
    std::unordered_map<std::int64_t, Replayed> words;
    std::int64_t answers = 0, lastAnswerId = 0;
    store::Statement rows =
        db.prepare("SELECT Id, WordId, Direction, AskedAt, Correct, Tolerant FROM AnswerHistory ORDER BY Id");
    while (rows.step()) {
        ++answers;
        lastAnswerId = std::max(lastAnswerId, rows.columnInt(0));
        // A time that does not read (written by another tool) cannot be placed.
        const auto at = store::DateTime::fromStorage(rows.columnText(3));
        if (!at) continue;
        const std::int64_t key = rows.columnInt(1) * 2 + (rows.columnInt(2) == 1 ? 1 : 0);
        Answer(words[key], *at, RatingOf(rows.columnInt(4) == 1, rows.columnInt(5) == 1), settings.weights);
    }
    std::vector<std::int64_t> keys;
    keys.reserve(words.size());
    for (const auto& entry : words) keys.push_back(entry.first);
    std::sort(keys.begin(), keys.end());

    db.exec("DELETE FROM MemoryState; DELETE FROM MemoryModel");
    store::Statement insert = db.prepare(kInsertState);
    for (std::int64_t key : keys) WriteState(insert, key >> 1, static_cast<int>(key & 1), words[key], settings);
    store::Statement model =
        db.prepare("INSERT INTO MemoryModel (Weights, Retention, Answers, LastAnswerId) VALUES (?1, ?2, ?3, ?4)");
    model.bindText(1, WeightsText(settings.weights));
    model.bindDouble(2, settings.retention);
    model.bindInt(3, answers);
    model.bindInt(4, lastAnswerId);
    model.run();
    transaction.commit();
}

void BookAnswer(store::Database& db, std::int64_t wordId, stats::Direction direction, const store::DateTime& at,
                Rating rating, std::int64_t answerId) {
    store::Statement& model = db.cached("SELECT Weights, Retention FROM MemoryModel");
    if (!model.step()) return;
    const auto weights = ParseWeights(model.columnText(0));
    const ModelSettings settings{weights.value_or(kDefaultWeights), model.columnDouble(1)};
    model.reset();

    Replayed word;
    const int way = static_cast<int>(direction);
    store::Statement& read = db.cached(
        "SELECT Stability, Difficulty, FirstAt, LastAt, Answers FROM MemoryState WHERE WordId = ?1 AND Direction = ?2");
    read.bindInt(1, wordId);
    read.bindInt(2, way);
    if (read.step()) {
        word.state = {read.columnDouble(0), read.columnDouble(1)};
        word.firstAt = Moment(read.columnText(2));
        word.lastAt = Moment(read.columnText(3));
        word.answers = static_cast<int>(read.columnInt(4));
    }
    read.reset();
    Answer(word, at, rating, settings.weights);
    WriteState(db.cached(kInsertState), wordId, way, word, settings);
    store::Statement& counted =
        db.cached("UPDATE MemoryModel SET Answers = Answers + 1, LastAnswerId = max(LastAnswerId, ?1)");
    counted.bindInt(1, answerId);
    counted.run();
    counted.reset();
}

std::optional<WordMemory> ReadWordMemory(store::Database& db, std::int64_t wordId, stats::Direction direction) {
    store::Statement& read = db.cached(
        "SELECT Stability, Difficulty, FirstAt, LastAt, DueAt, Answers FROM MemoryState "
        "WHERE WordId = ?1 AND Direction = ?2");
    read.bindInt(1, wordId);
    read.bindInt(2, static_cast<int>(direction));
    std::optional<WordMemory> memory;
    if (read.step())
        memory = WordMemory{read.columnDouble(0), read.columnDouble(1), Moment(read.columnText(2)),
                            Moment(read.columnText(3)), Moment(read.columnText(4)),
                            static_cast<int>(read.columnInt(5))};
    read.reset();
    return memory;
}

}  // namespace morvanta::memory
