#pragma once

struct sqlite3;

namespace morvanta::store {

// Registers the key collation and a LIKE that ignores case for German letters,
// and puts guards before SQLite's string functions whose time a statement could
// stretch without end (printf's repeats, and those that compare every place of
// one argument with another). Throws EngineError on failure.
void RegisterSqlFunctions(sqlite3* db);

}  // namespace morvanta::store
