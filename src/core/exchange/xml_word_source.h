#pragma once
// The quiz selection's records as word-list XML values.

#include <QIODevice>

#include "core/exchange/run_progress.h"
#include "core/exchange/xml_word_list_writer.h"
#include "store/data_set.h"

namespace morvanta::exchange {

// The current record's display texts; Kanji and Hira-Kata as their plain text.
XmlWord WordFromRecord(const store::DataSet& record);

// The whole document for the records of `words`, read in one pass without
// moving the data set; false when `progress` asked to stop (the document is
// then left unfinished).
bool BuildWordList(store::DataSet& words, const XmlExportOptions& options,
                   XmlWordListWriter& writer, const ProgressFn& progress = {});

// The same document streamed into `out`; false when `out` took less than all of it.
bool WriteWordList(store::DataSet& words, const XmlExportOptions& options, QIODevice& out);

}  // namespace morvanta::exchange
