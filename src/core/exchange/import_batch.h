#pragma once
// Bulk inserts of an import: every word is committed on its own, so it survives a
// crash of the program the moment it is stored; syncing to the disk waits for the
// end, and every few thousand words the log goes into the table file, so an
// import needs little more room than its words.

#include "store/data_set.h"

namespace morvanta::exchange {

class ImportBatch {
public:
    explicit ImportBatch(store::DataSet& table);
    ~ImportBatch();  // ends the batch if end() was not reached; never throws
    ImportBatch(const ImportBatch&) = delete;
    ImportBatch& operator=(const ImportBatch&) = delete;

    // After each stored word, with the number stored so far.
    void stored(int total);
    void end();

private:
    store::DataSet& table_;
    bool open_ = true;
};

}  // namespace morvanta::exchange
