#pragma once
// "import csv|tsv|kvtml|apkg FILE": word lists of other trainers.

#include <string>

#include "cli/arguments.h"
#include "store/data_set.h"

namespace morvanta::cli {

bool IsForeignKind(const std::string& kind);
int ImportForeign(store::Table& table, const std::string& kind, const std::string& file,
                  const Arguments& args);

}  // namespace morvanta::cli
