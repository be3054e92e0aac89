#include "core/exchange/import_batch.h"

namespace morvanta::exchange {

namespace {
constexpr int kWordsPerCheckpoint = 2000;
}

ImportBatch::ImportBatch(store::DataSet& table) : table_(table) { table_.beginSyncBatch(); }

ImportBatch::~ImportBatch() {
    if (!open_) return;
    try {
        table_.endSyncBatch();
    } catch (...) {  // the words are committed anyway
    }
}

void ImportBatch::stored(int total) {
    if (total > 0 && total % kWordsPerCheckpoint == 0) {
        table_.endSyncBatch();
        table_.beginSyncBatch();
    }
}

void ImportBatch::end() {
    open_ = false;
    table_.endSyncBatch();
}

}  // namespace morvanta::exchange
