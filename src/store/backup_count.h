#pragma once
// How many dated copies of the table the daily backup keeps.

#include <string_view>

#include "store/alias_config.h"

namespace morvanta::store {

// BACKUPS in the alias's section of the engine configuration, when it is a
// positive number; else kDefaultBackupCount.
int BackupCount(const AliasConfig& config, std::string_view alias);

}  // namespace morvanta::store
