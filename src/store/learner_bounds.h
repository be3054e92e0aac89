#pragma once
// What one of the learner's statements (own SQL, selections, a status file's
// statement, morvanta-cli --sql) may take. The engine stops a statement at these
// bounds with a German message naming the bound, and nothing is changed.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/engine_error.h"

struct sqlite3;

namespace morvanta::store {

inline constexpr std::int64_t kMegabyte = 1024 * 1024;
// One text or blob: a word's fields are a few kilobytes at most.
inline constexpr int kValueBound = 16 * kMegabyte;
// The engine's memory (its temporary tables and sorts included) beyond what it
// held when the statement began; copying 65,535 words aside takes about 40 MB.
inline constexpr std::int64_t kMemoryBound = 256 * kMegabyte;
// A read-only result held by the program: every word of a large table with all
// sixteen fields and a Value each takes under 100 MB.
inline constexpr std::int64_t kResultBound = 256 * kMegabyte;
// What a change may add to the table file (65,535 words take about 35 MB).
inline constexpr std::int64_t kGrowthBound = 256 * kMegabyte;

// Sets the bounds on a connection for the time it lives, and restores what was
// set before. The memory bound is the engine's one for the whole process; the
// file's growth is bounded by its page count.
class LearnerBounds {
public:
    explicit LearnerBounds(sqlite3* db);
    ~LearnerBounds();
    LearnerBounds(const LearnerBounds&) = delete;
    LearnerBounds& operator=(const LearnerBounds&) = delete;

private:
    sqlite3* db_;
    int formerLength_;
    std::int64_t formerHeap_;
    std::int64_t formerPages_ = -1;
};

// Whether the learner's bounds are in force on a connection.
bool UnderLearnerBounds(sqlite3* db);
// For a failure of a statement under the learner's bounds: the German sentence
// naming the bound it reached, or empty. Clears detail when the engine's words
// were already that sentence (the guarded string functions write German).
std::string BoundDiagnosis(sqlite3* db, int extendedCode, std::string& detail);

// The German sentences naming each bound.
std::string ValueBoundMessage();
std::string MemoryBoundMessage();
std::string GrowthBoundMessage();
std::string ResultBoundMessage();
// The failure for a read-only result beyond kResultBound.
EngineError ResultBoundError();
// A string function whose arguments would cost it too long (work in comparisons).
std::string FunctionBoundMessage(std::string_view function, std::int64_t work);

}  // namespace morvanta::store
