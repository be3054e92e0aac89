#pragma once
// New words written in bulk into a table's file (an import): many words per
// transaction instead of one each. Nothing of a batch is in the file before its
// commit, and all of it is after: a crash of the program loses at most the open
// batch. The data set reads its records again once, at the end.

#include <cstdint>
#include <memory>
#include <vector>

#include "store/vocabulary.h"

namespace morvanta::store {

class Database;
class DataSet;
class Transaction;

class BulkInsert {
public:
    // `table` must be open and editable; throws EngineError otherwise.
    explicit BulkInsert(DataSet& table);
    // Drops an open batch, then lets the data set show the file's words (and runs
    // its after-insert handler once when words were committed); never throws.
    ~BulkInsert();
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    // Stores one word (sixteen values) in the open batch, opening one when needed.
    // False when the table's rules refuse it (a duplicate, a value its field does
    // not take): it costs nothing else, and the batch goes on. Any other failure
    // throws, and the open batch is then lost.
    bool insert(const Record& values);
    bool batchOpen() const { return transaction_ != nullptr; }
    void commit();
    void rollback();
    // Deletes every word this object committed, in one transaction.
    void removeCommitted();
    // Syncs what was committed to the disk and lets the data set read its records
    // again; its after-insert handler runs once when words were added.
    void finish();

private:
    void reopenDataSet() noexcept;
    DataSet& table_;
    Database& db_;
    std::unique_ptr<Transaction> transaction_;
    std::vector<std::int64_t> openRows_;       // stored in the open batch
    std::vector<std::int64_t> committedRows_;  // stored for good
    bool finished_ = false;
    bool changed_ = false;  // the file differs from what the data set read
};

}  // namespace morvanta::store
