#include "store/backup_count.h"

#include <cstdlib>

#include "store/backup.h"

namespace morvanta::store {

int BackupCount(const AliasConfig& config, std::string_view alias) {
    const auto kept = config.aliasParam(alias, "BACKUPS");
    if (!kept) return kDefaultBackupCount;
    const int count = std::atoi(kept->c_str());
    return count > 0 ? count : kDefaultBackupCount;
}

}  // namespace morvanta::store
