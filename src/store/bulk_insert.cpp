#include "store/bulk_insert.h"

#include "store/data_set.h"
#include "store/database.h"
#include "store/field_value.h"
#include "store/key_order.h"
#include "store/schema.h"

namespace morvanta::store {

namespace {

// A word the uniqueness rule refuses changes nothing and throws nothing: duplicates
// are common in a repeated import and cost no more than a look-up.
const std::string& InsertSql() {
    static const std::string sql = "INSERT INTO Vokabel (" + std::string(FieldListSql()) +
                                   ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, "
                                   "?13, ?14, ?15, ?16) ON CONFLICT DO NOTHING";
    return sql;
}

const std::string& Text(const Value& value) {
    static const std::string empty;
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : empty;
}

}  // namespace

BulkInsert::BulkInsert(DataSet& table) : table_(table), db_(*table.database()) {
    table_.requireActive();
    if (!table_.live_)
        throw EngineError("In diese Datenmenge können keine Vokabeln eingefügt werden.");
    table_.checkBrowseMode();
}

BulkInsert::~BulkInsert() {
    transaction_.reset();  // rolls back
    if (finished_ || !changed_) return;
    // Ended by a failure: the words committed before it are the table's all the same.
    reopenDataSet();
    if (committedRows_.empty() || !table_.afterInsert) return;
    try {
        table_.afterInsert(table_);
    } catch (...) {  // the failure that ended the import is the one to report
    }
}

bool BulkInsert::insert(const Record& values) {
    const auto& fields = VocabularyFields();
    if (values.size() != fields.size())
        throw EngineError("Ein Datensatz hat " + std::to_string(fields.size()) + " Werte, nicht " +
                          std::to_string(values.size()) + ".");
    Record record(fields.size());
    for (size_t i = 0; i < fields.size(); ++i)
        record[i] = NormalizeFieldValue(fields[i].kind, values[i]);
    if (!transaction_) transaction_ = std::make_unique<Transaction>(db_);
    Statement& insert = db_.cached(InsertSql());
    for (size_t i = 0; i < fields.size(); ++i)
        BindValue(insert, static_cast<int>(i + 1), record[i], fields[i].kind);
    try {
        insert.run();
    } catch (const EngineError& e) {
        insert.reset();
        // The failed statement undid itself; the transaction goes on.
        if (e.isConstraintViolation()) return false;
        throw;
    }
    insert.reset();
    if (db_.changes() == 0) return false;
    const std::int64_t rowId = db_.lastInsertRowId();
    Statement& key = db_.cached("UPDATE VokabelOrder SET SortKey=?2 WHERE WordId=?1");
    key.bindInt(1, rowId);
    key.bindBlob(2, SortKeyOf(Text(record[0]), Text(record[1]), Text(record[2]), Text(record[3])));
    key.run();
    key.reset();
    openRows_.push_back(rowId);
    return true;
}

void BulkInsert::commit() {
    if (!transaction_) return;
    transaction_->commit();
    transaction_.reset();
    changed_ = changed_ || !openRows_.empty();
    committedRows_.insert(committedRows_.end(), openRows_.begin(), openRows_.end());
    openRows_.clear();
    db_.bumpGeneration();
}

void BulkInsert::rollback() {
    transaction_.reset();
    openRows_.clear();
}

void BulkInsert::removeCommitted() {
    rollback();
    if (committedRows_.empty()) return;
    Transaction transaction(db_);
    Statement& remove = db_.cached("DELETE FROM Vokabel WHERE rowid=?1");
    for (const std::int64_t row : committedRows_) {
        remove.bindInt(1, row);
        remove.run();
        remove.reset();
    }
    transaction.commit();
    committedRows_.clear();
    db_.bumpGeneration();
}

void BulkInsert::finish() {
    rollback();
    db_.flush();
    finished_ = true;
    reopenDataSet();
    if (!committedRows_.empty() && table_.afterInsert) table_.afterInsert(table_);
}

void BulkInsert::reopenDataSet() noexcept {
    // The data set's records are its own business again; a failure to read them
    // leaves them as they were (the words are in the file either way).
    try {
        table_.refresh();
    } catch (...) {
    }
}

}  // namespace morvanta::store
