#include "core/memory/memory_state.h"

#include <algorithm>
#include <unordered_map>
#include <string>
#include <vector>

#include "core/memory/memory_settings.h"
#include "core/memory/moments.h"
#include "store/database.h"
#include "store/schema.h"

namespace morvanta::memory {

namespace {

// A word's memory while it is replayed: its times as milliseconds (see MomentMs).
struct Replayed {
    State<double> state{};
    std::int64_t firstMs = 0, lastMs = 0;
    std::int32_t answers = 0;
};

constexpr std::int64_t kMsPerDay = 86400000;

std::int64_t DayOf(std::int64_t ms) { return ms >= 0 ? ms / kMsPerDay : (ms - kMsPerDay + 1) / kMsPerDay; }

// The due time: when the chance of recall falls to the retention.
std::int64_t DueMs(double stability, std::int64_t lastMs, const ModelSettings& settings) {
    const double interval = IntervalDays(stability, settings.retention, settings.weights);
    return lastMs + static_cast<std::int64_t>(std::llround(interval * kMsPerDay));
}

// The answer moves the state on, or starts it.
void Answer(Replayed& word, std::int64_t atMs, Rating rating, const PreparedWeights& weights) {
    if (word.answers == 0) {
        word.state = FirstState<double>(rating, weights);
        word.firstMs = atMs;
    } else {
        // A clock put back gives no negative days: that answer counts as the same day's.
        const std::int64_t days = std::max<std::int64_t>(0, DayOf(atMs) - DayOf(word.lastMs));
        word.state = NextState(word.state, static_cast<int>(std::min<std::int64_t>(days, 1 << 30)), rating, weights);
    }
    word.lastMs = atMs;
    ++word.answers;
}

void WriteState(store::Statement& insert, std::int64_t wordId, int direction, const Replayed& word,
                const ModelSettings& settings) {
    insert.bindInt(1, wordId);
    insert.bindInt(2, direction);
    insert.bindDouble(3, word.state.stability);
    insert.bindDouble(4, word.state.difficulty);
    insert.bindText(5, StoredText(word.firstMs));
    insert.bindText(6, StoredText(word.lastMs));
    insert.bindText(7, StoredText(DueMs(word.state.stability, word.lastMs, settings)));
    insert.bindInt(8, word.answers);
    insert.run();
    insert.reset();
}

constexpr char kRefillState[] =
    "INSERT INTO MemoryState (WordId, Direction, Stability, Difficulty, FirstAt, LastAt, DueAt, Answers) "
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

store::DateTime Moment(std::string_view stored) { return StoredMoment(stored).value_or(store::DateTime{}); }

void MoveDueTimes(store::Database& db, const ModelSettings& settings) {
    MemoryWrite transaction(db);
    store::Statement rows = db.prepare("SELECT WordId, Direction, Stability, LastAt FROM MemoryState");
    store::Statement update = db.prepare("UPDATE MemoryState SET DueAt = ?3 WHERE WordId = ?1 AND Direction = ?2");
    while (rows.step()) {
        update.bindInt(1, rows.columnInt(0));
        update.bindInt(2, rows.columnInt(1));
        update.bindText(3, StoredText(DueMs(rows.columnDouble(2), MomentMs(Moment(rows.columnText(3))), settings)));
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

namespace {

// The words there, each with its place: the history keeps the answers of deleted
// words, whose memory went with them. Rowids are mostly dense, so a table from
// rowid to place serves; a map takes sparse ones.
class WordPlaces {
public:
    explicit WordPlaces(store::Database& db) {
        store::Statement present = db.prepare("SELECT WordId FROM VokabelOrder ORDER BY WordId");
        while (present.step()) words_.push_back(present.columnInt(0));
        highest_ = words_.empty() ? 0 : words_.back();
        dense_ = words_.empty() ||
                 (words_.front() >= 0 && highest_ <= 8 * static_cast<std::int64_t>(words_.size()) + 4096);
        if (dense_) dense_places_.assign(static_cast<size_t>(highest_) + 1, -1);
        for (size_t place = 0; place < words_.size(); ++place) {
            if (dense_)
                dense_places_[static_cast<size_t>(words_[place])] = static_cast<std::int32_t>(place);
            else
                sparse_places_.emplace(words_[place], static_cast<std::int32_t>(place));
        }
    }
    size_t size() const { return words_.size(); }
    std::int64_t word(size_t place) const { return words_[place]; }
    // -1 for a word not there.
    std::int32_t placeOf(std::int64_t word) const {
        if (dense_) return word >= 0 && word <= highest_ ? dense_places_[static_cast<size_t>(word)] : -1;
        const auto found = sparse_places_.find(word);
        return found == sparse_places_.end() ? -1 : found->second;
    }

private:
    std::vector<std::int64_t> words_;
    std::int64_t highest_ = 0;
    bool dense_ = true;
    std::vector<std::int32_t> dense_places_;
    std::unordered_map<std::int64_t, std::int32_t> sparse_places_;
};

struct Booked {
    std::int64_t ms;
    std::int32_t slot;  // the word's place * 2 + the direction
    Rating rating;
};

struct HistoryRead {
    std::vector<Booked> answers;       // of the words there, in booking order
    std::int64_t rows = 0, lastId = 0;  // of the whole history
};

HistoryRead ReadHistory(store::Database& db, const WordPlaces& places) {
    HistoryRead read;
    std::int64_t lastWord = -1;
    std::int32_t place = -1;
    store::Statement rows =
        db.prepare("SELECT Id, WordId, Direction, AskedAt, Correct, Tolerant FROM AnswerHistory ORDER BY Id");
    while (rows.step()) {
        ++read.rows;
        read.lastId = std::max(read.lastId, rows.columnInt(0));
        const std::int64_t word = rows.columnInt(1);
        if (word != lastWord) {
            lastWord = word;
            place = places.placeOf(word);
        }
        if (place < 0) continue;
        // A time that does not read (written by another tool) cannot be placed.
        const auto at = StoredMoment(rows.columnText(3));
        if (!at) continue;
        read.answers.push_back({MomentMs(*at), place * 2 + (rows.columnInt(2) == 1 ? 1 : 0),
                                RatingOf(rows.columnInt(4) == 1, rows.columnInt(5) == 1)});
    }
    return read;
}

// Each word's answers in booking order, one word after the other: one word's
// memory at a time stays in the processor's cache, where jumping from word to
// word with the history would not.
std::vector<Replayed> ReplayByWord(std::vector<Booked> answers, size_t slots, const Weights& weights) {
    std::vector<std::int32_t> next(slots + 1, 0);
    for (const Booked& answer : answers) ++next[static_cast<size_t>(answer.slot) + 1];
    for (size_t slot = 1; slot < next.size(); ++slot) next[slot] += next[slot - 1];
    std::vector<Booked> byWord(answers.size());
    for (const Booked& answer : answers) byWord[static_cast<size_t>(next[static_cast<size_t>(answer.slot)]++)] = answer;
    answers = {};
    std::vector<Replayed> words(slots);
    const PreparedWeights prepared(weights);
    for (const Booked& answer : byWord) Answer(words[static_cast<size_t>(answer.slot)], answer.ms, answer.rating, prepared);
    return words;
}

}  // namespace

void Replay(store::Database& db, const ModelSettings& settings) {
    MemoryWrite transaction(db);
    const WordPlaces places(db);
    HistoryRead history = ReadHistory(db, places);
    const std::vector<Replayed> words = ReplayByWord(std::move(history.answers), places.size() * 2, settings.weights);

    store::ClearMemoryForRefill(db);
    store::Statement insert = db.prepare(kRefillState);
    for (size_t slot = 0; slot < words.size(); ++slot)
        if (words[slot].answers > 0)
            WriteState(insert, places.word(slot / 2), static_cast<int>(slot % 2), words[slot], settings);
    store::IndexRefilledMemory(db);
    store::Statement model =
        db.prepare("INSERT INTO MemoryModel (Weights, Retention, Answers, LastAnswerId) VALUES (?1, ?2, ?3, ?4)");
    model.bindText(1, WeightsText(settings.weights));
    model.bindDouble(2, settings.retention);
    model.bindInt(3, history.rows);
    model.bindInt(4, history.lastId);
    model.run();
    transaction.commit();
}

namespace {

// The weights of the file's memory as the last booking read them: a booking
// parses them again only when they changed.
struct BookingWeights {
    std::string text;
    ModelSettings settings;
    std::optional<PreparedWeights> prepared;
};

const BookingWeights& WeightsOf(std::string_view text, double retention) {
    thread_local BookingWeights kept;
    if (!kept.prepared || kept.text != text) {
        kept.text = text;
        kept.settings.weights = ParseWeights(text).value_or(kDefaultWeights);
        kept.prepared.emplace(kept.settings.weights);
    }
    kept.settings.retention = retention;
    return kept;
}

}  // namespace

void BookAnswer(store::Database& db, std::int64_t wordId, stats::Direction direction, const store::DateTime& at,
                Rating rating, std::int64_t answerId) {
    const int way = static_cast<int>(direction);
    store::Statement& read = db.cached(
        "SELECT m.Weights, m.Retention, s.Stability, s.Difficulty, s.FirstAt, s.LastAt, s.Answers "
        "FROM MemoryModel m LEFT JOIN MemoryState s ON s.WordId = ?1 AND s.Direction = ?2");
    read.bindInt(1, wordId);
    read.bindInt(2, way);
    if (!read.step()) return;  // never made: the next KeepInStep() replays it
    const BookingWeights& weights = WeightsOf(read.columnText(0), read.columnDouble(1));
    Replayed word;
    const bool known = !read.columnIsNull(2);  // else the word has no memory yet
    if (known) {
        word.state = {read.columnDouble(2), read.columnDouble(3)};
        word.firstMs = MomentMs(Moment(read.columnText(4)));
        word.lastMs = MomentMs(Moment(read.columnText(5)));
        word.answers = static_cast<int>(read.columnInt(6));
    }
    read.reset();
    Answer(word, MomentMs(at), rating, *weights.prepared);
    if (known) {
        store::Statement& update = db.cached(
            "UPDATE MemoryState SET Stability = ?3, Difficulty = ?4, LastAt = ?5, DueAt = ?6, Answers = ?7 "
            "WHERE WordId = ?1 AND Direction = ?2");
        update.bindInt(1, wordId);
        update.bindInt(2, way);
        update.bindDouble(3, word.state.stability);
        update.bindDouble(4, word.state.difficulty);
        update.bindText(5, StoredText(word.lastMs));
        update.bindText(6, StoredText(DueMs(word.state.stability, word.lastMs, weights.settings)));
        update.bindInt(7, word.answers);
        update.run();
        update.reset();
    } else {
        WriteState(db.cached(kRefillState), wordId, way, word, weights.settings);
    }
    store::Statement& counted =
        db.cached("UPDATE MemoryModel SET Answers = Answers + 1, LastAnswerId = max(LastAnswerId, ?1)");
    counted.bindInt(1, answerId);
    counted.run();
    counted.reset();
}

namespace {

constexpr char kMemoryColumns[] = "Stability, Difficulty, FirstAt, LastAt, DueAt, Answers";

// A word's memory from kMemoryColumns, the first of them at `column`.
WordMemory MemoryAt(const store::Statement& row, int column) {
    return WordMemory{row.columnDouble(column),          row.columnDouble(column + 1),
                      Moment(row.columnText(column + 2)), Moment(row.columnText(column + 3)),
                      Moment(row.columnText(column + 4)), static_cast<int>(row.columnInt(column + 5))};
}

}  // namespace

std::optional<WordMemory> ReadWordMemory(store::Database& db, std::int64_t wordId, stats::Direction direction) {
    store::Statement& read = db.cached(std::string("SELECT ") + kMemoryColumns +
                                       " FROM MemoryState WHERE WordId = ?1 AND Direction = ?2");
    read.bindInt(1, wordId);
    read.bindInt(2, static_cast<int>(direction));
    std::optional<WordMemory> memory;
    if (read.step()) memory = MemoryAt(read, 0);
    read.reset();
    return memory;
}

std::unordered_map<std::int64_t, WordMemory> ReadWordMemories(store::Database& db, stats::Direction direction) {
    std::unordered_map<std::int64_t, WordMemory> words;
    store::Statement rows =
        db.prepare(std::string("SELECT WordId, ") + kMemoryColumns + " FROM MemoryState WHERE Direction = ?1");
    rows.bindInt(1, static_cast<int>(direction));
    while (rows.step()) words.emplace(rows.columnInt(0), MemoryAt(rows, 1));
    return words;
}

}  // namespace morvanta::memory
