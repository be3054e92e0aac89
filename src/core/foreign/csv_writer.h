#pragma once
// The selection as a CSV file that spreadsheets open as it is: UTF-8 with byte
// order mark, semicolons, CR LF, a row of column names, texts kept as text.

#include <ostream>
#include <vector>

#include "core/exchange/run_progress.h"
#include "core/foreign/export_word.h"

namespace morvanta::foreign {

// False when `progress` asked to stop (the file is then unfinished).
bool WriteWordCsv(std::ostream& out, const std::vector<ExportWord>& words,
                  const exchange::ProgressFn& progress = {});

}  // namespace morvanta::foreign
