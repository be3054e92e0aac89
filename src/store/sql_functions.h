#pragma once

struct sqlite3;

namespace morvanta::store {

// Registers the key collation and a LIKE that ignores case for German letters.
// Throws EngineError on failure.
void RegisterSqlFunctions(sqlite3* db);

}  // namespace morvanta::store
