#pragma once
// The memory of each word in each direction, kept in the table file beside the
// words (MemoryState, with MemoryModel saying what it was made with and from).
// It follows from the answer history alone: each booking moves it on in the
// booking's own transaction, and it is replayed from the history whenever it is
// missing or out of step (changed by other tools, a backup from before it, new
// weights). Words without answers in the history have no memory: they are new.
// A deleted word's memory goes with it; its answers stay in the history.

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "core/memory/fsrs.h"
#include "core/stats/direction.h"
#include "store/date_time.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::memory {

inline constexpr double kDefaultRetention = 0.9;

// What the memory is made with.
struct ModelSettings {
    Weights weights = kDefaultWeights;
    double retention = kDefaultRetention;  // the chance of recall at which a word is due
};

struct WordMemory {
    double stability = 0;   // days
    double difficulty = 0;  // 1 to 10
    store::DateTime firstAt, lastAt, dueAt;
    int answers = 0;
};

// The chance of recalling the word at `now`, from the days since its last answer
// with their fraction.
double RecallAt(const WordMemory& memory, const store::DateTime& now, const Weights& weights);

// The settings the file's memory was made with; nullopt before it was first made.
std::optional<ModelSettings> StoredSettings(store::Database& db);

enum class Upkeep { InStep, DueTimesMoved, Replayed };

// Makes the memory agree with the history and the settings: replays it when the
// history or the weights differ from what it was made from, or only moves the
// due times when the retention changed. A file that takes no writes gets its
// memory in memory. Quick when nothing is to be done.
Upkeep KeepInStep(store::Database& db, const ModelSettings& settings);

// Replays every answer of the history into fresh states, in one transaction.
void Replay(store::Database& db, const ModelSettings& settings);

// Moves the word's memory on by one booked answer (the history row `answerId`);
// runs inside the booking's transaction. Nothing when the memory was never made:
// the next KeepInStep() replays it.
void BookAnswer(store::Database& db, std::int64_t wordId, stats::Direction direction, const store::DateTime& at,
                Rating rating, std::int64_t answerId);

std::optional<WordMemory> ReadWordMemory(store::Database& db, std::int64_t wordId, stats::Direction direction);
// Every word's memory in the direction, by the word's rowid.
std::unordered_map<std::int64_t, WordMemory> ReadWordMemories(store::Database& db, stats::Direction direction);

}  // namespace morvanta::memory
