#pragma once
// The layout of the table file and the key order of the vocabulary table.

#include <string_view>

namespace morvanta::store {

// Version in PRAGMA user_version; a file with a higher number is refused, an older
// one is brought up to date when it is opened.
inline constexpr int kSchemaVersion = 3;

// Collation of the key order in files of version 1 (registered on every connection,
// so such a file can still be read and migrated).
inline constexpr std::string_view kKeyCollation = "MORVANTA_KEY";

// CREATE statements of an empty table file.
std::string_view SchemaSql();
// CREATE statements of the key order table and its triggers (added to version 1 files).
std::string_view KeyOrderSchemaSql();
// CREATE statements of the answer history (added to files of version 2 and older);
// safe to run on a file that has it.
std::string_view AnswerHistorySchemaSql();
// The sixteen column names quoted for SQL, comma separated, in field order.
std::string_view FieldListSql();

}  // namespace morvanta::store
