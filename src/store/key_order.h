#pragma once
// The browse order of the vocabulary table: a binary sort key per word in the
// table VokabelOrder, kept by the program (see schema.cpp for the triggers).

#include <cstdint>
#include <string>
#include <string_view>

namespace morvanta::store {

class Database;

// The sort key of a word: its key fields folded, separated by zero bytes.
// Keys compared byte by byte give the key order (ties: the row id).
std::string SortKeyOf(std::string_view translation1, std::string_view translation2,
                      std::string_view translation3, std::string_view hepburn);

// Fills in the keys that writers left empty. With `full`, also adds the words
// that have no entry and drops entries whose word is gone (after outside changes).
// Runs inside the caller's transaction.
void RepairKeyOrder(Database& db, bool full);

// Whether some word waits for its key (reads only). Words without an entry, or
// entries without a word, are found by the integrity check.
bool KeyOrderNeedsRepair(Database& db);

// Stores the key of one word written by the program.
void StoreSortKey(Database& db, std::int64_t rowId);

// Order terms for a statement that joins the order table as MorvantaOrder.
inline constexpr std::string_view kJoinedKeyOrder = "MorvantaOrder.MorvantaSortKey, MorvantaOrder.MorvantaWordId";
// The join itself, given what names the table's row id ("Vokabel.rowid", "V.rowid").
std::string KeyOrderJoin(std::string_view rowIdOfTable);
// Order terms for any selection from the table named by `table` (no join needed).
std::string KeyOrderTerms(std::string_view table);

}  // namespace morvanta::store
