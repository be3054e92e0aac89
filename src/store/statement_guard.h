#pragma once
// The learner's own statements: the engine itself (SQLite's authorizer) decides
// what a statement may touch, before anything runs.

#include <string_view>

#include "store/engine_error.h"
#include "store/statement.h"

namespace morvanta::store {

class Database;

enum class StatementKind { Select, Insert, Update, Delete };

struct GuardedStatement {
    Statement statement;
    StatementKind kind;
};

// Prepares a statement that may read the vocabulary table and, with allowWrites,
// insert, change or delete its words. Anything else (other tables, the schema,
// attached files, pragmas, transactions, VACUUM, extensions) is refused with an
// EngineError (isRefused) that says why, in German.
GuardedStatement PrepareGuarded(Database& db, std::string_view sql, bool allowWrites);

// The error of a learner's statement refused before anything was kept (isRefused):
// "Die SQL-Anweisung wurde nicht ausgeführt: <why> Es wurde nichts verändert."
EngineError Refusal(const std::string& why);

}  // namespace morvanta::store
