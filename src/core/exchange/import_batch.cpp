#include "core/exchange/import_batch.h"

namespace morvanta::exchange {

ImportBatch::ImportBatch(store::DataSet& table, CommittedFn committed)
    : insert_(table), committed_(std::move(committed)) {}

void ImportBatch::add(const store::Record& word) {
    if (!insert_.batchOpen()) opened_ = std::chrono::steady_clock::now();
    if (insert_.insert(word))
        ++open_.stored;
    else
        ++open_.refused;
    if (open_.stored + open_.refused >= kWordsPerBatch ||
        std::chrono::steady_clock::now() - opened_ >= kBatchTime)
        commit();
}

void ImportBatch::commit() {
    if (!insert_.batchOpen()) return;
    insert_.commit();
    counts_.stored += open_.stored;
    counts_.refused += open_.refused;
    open_ = {};
    if (committed_) committed_(counts_);
}

void ImportBatch::end() {
    commit();
    insert_.finish();
}

void ImportBatch::takeBack() {
    insert_.removeCommitted();
    counts_ = {};
    open_ = {};
    insert_.finish();
}

}  // namespace morvanta::exchange
