#include <algorithm>
#include <array>

#include "store/data_set.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/text_fold.h"

namespace morvanta::store {

namespace {

using Key = std::array<std::string, 4>;

Key ReadKey(Database& db, std::int64_t rowId) {
    Statement& select = db.cached(
        "SELECT Translation1, Translation2, Translation3, Hepburn FROM Vokabel WHERE rowid=?1");
    select.bindInt(1, rowId);
    Key key;
    if (select.step())
        for (int i = 0; i < 4; ++i) key[static_cast<size_t>(i)] = std::string(select.columnText(i));
    select.reset();
    return key;
}

// The table's key order, the same as the index and ORDER BY give.
bool KeyLess(const Key& a, std::int64_t rowA, const Key& b, std::int64_t rowB) {
    for (size_t i = 0; i < a.size(); ++i) {
        int c = CompareKey(a[i], b[i]);
        if (c != 0) return c < 0;
    }
    return rowA < rowB;
}

}  // namespace

Table::Table(Session& session, std::string alias, std::string tableName)
    : DataSet(session, std::move(alias)), tableName_(std::move(tableName)) {}

void Table::open() {
    if (active()) return;
    if (!SameAsciiName(tableName_, kTableFileName) && !SameAsciiName(tableName_, kTableName))
        throw EngineError("Table '" + tableName_ + "' does not exist.");
    database();
    setRows(readKeyOrder());
    becomeOpen();
}

std::vector<std::int64_t> Table::readKeyOrder() {
    Statement select = database()->prepare("SELECT rowid FROM Vokabel ORDER BY " +
                                           std::string(KeyOrderSql()));
    std::vector<std::int64_t> rows;
    while (select.step()) rows.push_back(select.columnInt(0));
    return rows;
}

int Table::keyPosition(std::int64_t rowId) {
    Database& db = *database();
    // The index finds the record that follows in key order; its place is the new one's.
    // Row values with a collation cannot use the index, so the search goes field by field.
    static const std::array<std::string, 5> followerSql = [] {
        const char* names[4] = {"Translation1", "Translation2", "Translation3", "Hepburn"};
        std::array<std::string, 5> sql;
        for (int level = 4; level >= 0; --level) {
            std::string where;
            for (int i = 0; i < level; ++i)
                where += std::string(names[i]) + " COLLATE MORVANTA_KEY = ?" + std::to_string(i + 1) + " AND ";
            where += level == 4 ? std::string("rowid > ?5")
                                : std::string(names[level]) + " COLLATE MORVANTA_KEY > ?" +
                                      std::to_string(level + 1);
            sql[static_cast<size_t>(4 - level)] = "SELECT rowid FROM Vokabel WHERE " + where +
                                                  " ORDER BY " + std::string(KeyOrderSql()) + " LIMIT 1";
        }
        return sql;
    }();
    Key own = ReadKey(db, rowId);
    bool found = false;
    std::int64_t follower = 0;
    for (const std::string& sql : followerSql) {
        Statement& next = db.cached(sql);
        int parameters = sqlite3_bind_parameter_count(next.handle());
        for (int i = 0; i < 4 && i < parameters; ++i) next.bindText(i + 1, own[static_cast<size_t>(i)]);
        if (parameters == 5) next.bindInt(5, rowId);
        found = next.step();
        if (found) follower = next.columnInt(0);
        next.reset();
        if (found) break;
    }
    if (!found) return static_cast<int>(rows_.size());
    auto it = std::find(rows_.begin(), rows_.end(), follower);
    if (it != rows_.end()) return static_cast<int>(it - rows_.begin());
    // The follower came from another data set: search by comparing keys.
    const Key& key = own;
    size_t low = 0, high = rows_.size();
    while (low < high) {
        size_t mid = (low + high) / 2;
        if (KeyLess(ReadKey(db, rows_[mid]), rows_[mid], key, rowId)) low = mid + 1;
        else high = mid;
    }
    return static_cast<int>(low);
}

void Table::reloadRowsAfterChange(Change change, std::int64_t rowId) {
    // The table always shows key order: the written record moves to its place
    // and stays current; after a delete the next record becomes current.
    bool atCurrent = current_ >= 0 && current_ < static_cast<int>(rows_.size()) &&
                     rows_[static_cast<size_t>(current_)] == rowId;
    if (change != Change::Inserted) {
        auto it = atCurrent ? rows_.begin() + current_ : std::find(rows_.begin(), rows_.end(), rowId);
        if (it != rows_.end()) rows_.erase(it);
    }
    if (change == Change::Deleted) {
        current_ = std::min(current_, static_cast<int>(rows_.size()) - 1);
        return;
    }
    int position = keyPosition(rowId);
    rows_.insert(rows_.begin() + position, rowId);
    current_ = position;
}

void Table::reread() {
    std::int64_t row = currentRowId();
    rows_ = readKeyOrder();
    auto it = std::find(rows_.begin(), rows_.end(), row);
    if (it != rows_.end()) current_ = static_cast<int>(it - rows_.begin());
    else current_ = std::min(current_, static_cast<int>(rows_.size()) - 1);
}

}  // namespace morvanta::store
