#pragma once
// The words of an import, stored in batches: one write transaction per batch of
// kWordsPerBatch words or kBatchTime, whichever comes first. A batch is in the
// table file once committed (with the log: a crash of the program keeps it) and
// not at all before, so a crash loses at most the open batch, and the counts,
// which move only when a batch commits, say exactly what the table holds.
// Every importer stores its words through this one path.

#include <chrono>
#include <functional>

#include "store/bulk_insert.h"

namespace morvanta::store {
class DataSet;
}

namespace morvanta::exchange {

inline constexpr int kWordsPerBatch = 2000;
inline constexpr std::chrono::milliseconds kBatchTime{500};

struct ImportCounts {
    int stored = 0;   // words in the table
    int refused = 0;  // words the table's rules refused (a duplicate), counted one by one
};

// Told after each commit, with the counts it made true.
using CommittedFn = std::function<void(const ImportCounts&)>;

class ImportBatch {
public:
    explicit ImportBatch(store::DataSet& table, CommittedFn committed = {});
    // Drops the open batch; the table shows what was committed. Never throws.
    ~ImportBatch() = default;
    ImportBatch(const ImportBatch&) = delete;
    ImportBatch& operator=(const ImportBatch&) = delete;

    // Stores one word in the open batch; commits the batch once it is full.
    // A failure of the table (a full disk, a locked or replaced file) throws, and
    // the open batch is lost.
    void add(const store::Record& word);
    // Committed words only.
    const ImportCounts& counts() const { return counts_; }
    // Commits the open batch, syncs, and lets the table show the new words.
    void end();
    // Takes the whole import back, committed batches included: the table is as
    // it was before (a cancelled import changes nothing).
    void takeBack();

private:
    void commit();
    store::BulkInsert insert_;
    CommittedFn committed_;
    ImportCounts counts_;
    ImportCounts open_;  // of the open batch
    std::chrono::steady_clock::time_point opened_;
};

}  // namespace morvanta::exchange
