#pragma once
// The layout of the table file and the key order of the vocabulary table.

#include <string_view>

namespace morvanta::store {

// Version in PRAGMA user_version; a file with a higher number is refused.
inline constexpr int kSchemaVersion = 1;

// Collation of the key order (registered on every connection).
inline constexpr std::string_view kKeyCollation = "MORVANTA_KEY";

// CREATE statements of an empty table file.
std::string_view SchemaSql();
// "Translation1 COLLATE MORVANTA_KEY, ..., Hepburn COLLATE MORVANTA_KEY, rowid"
std::string_view KeyOrderSql();
// The sixteen column names quoted for SQL, comma separated, in field order.
std::string_view FieldListSql();

}  // namespace morvanta::store
