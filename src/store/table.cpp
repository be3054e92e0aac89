#include <algorithm>

#include "store/data_set.h"
#include "store/database.h"
#include "store/key_order.h"
#include "store/text_fold.h"
#include "text/quoted.h"

namespace morvanta::store {

namespace {

std::string ReadSortKey(Database& db, std::int64_t rowId) {
    Statement& select = db.cached("SELECT SortKey FROM VokabelOrder WHERE WordId=?1");
    select.bindInt(1, rowId);
    std::string key;
    if (select.step()) key = std::string(select.columnText(0));
    select.reset();
    return key;
}

}  // namespace

Table::Table(Session& session, std::string alias, std::string tableName)
    : DataSet(session, std::move(alias)), tableName_(std::move(tableName)) {}

void Table::open() {
    if (active()) return;
    if (!SameAsciiName(tableName_, kTableFileName) && !SameAsciiName(tableName_, kTableName))
        throw EngineError("Die Tabelle " + text::Quoted(tableName_) + " gibt es nicht.");
    database();
    setRows(readKeyOrder());
    becomeOpen();
}

std::vector<std::int64_t> Table::readKeyOrder() {
    Statement select = database()->prepare("SELECT WordId FROM VokabelOrder ORDER BY SortKey, WordId");
    std::vector<std::int64_t> rows;
    while (select.step()) rows.push_back(select.columnInt(0));
    database()->keepKeyOrder(rows);
    return rows;
}

int Table::keyPosition(std::int64_t rowId) {
    Database& db = *database();
    // The index finds the record that follows in key order; its place is the new one's.
    const std::string own = ReadSortKey(db, rowId);
    Statement& next = db.cached(
        "SELECT WordId FROM VokabelOrder WHERE (SortKey, WordId) > (?1, ?2) "
        "ORDER BY SortKey, WordId LIMIT 1");
    next.bindBlob(1, own);
    next.bindInt(2, rowId);
    const bool found = next.step();
    const std::int64_t follower = found ? next.columnInt(0) : 0;
    next.reset();
    if (!found) return static_cast<int>(rows_.size());
    auto it = std::find(rows_.begin(), rows_.end(), follower);
    if (it != rows_.end()) return static_cast<int>(it - rows_.begin());
    // The follower came from another data set: search by comparing keys.
    size_t low = 0, high = rows_.size();
    while (low < high) {
        size_t mid = (low + high) / 2;
        const std::string key = ReadSortKey(db, rows_[mid]);
        if (key < own || (key == own && rows_[mid] < rowId)) low = mid + 1;
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
