#include "store/backup_count.h"

#include <cstdlib>

#include "store/backup.h"

namespace morvanta::store {

int BackupCount(const AliasConfig& config, std::string_view alias) {
    const auto params = config.aliasParams(alias);
    if (!params) return kDefaultBackupCount;
    const auto it = params->find("BACKUPS");
    if (it == params->end()) return kDefaultBackupCount;
    const int count = std::atoi(it->second.c_str());
    return count > 0 ? count : kDefaultBackupCount;
}

}  // namespace morvanta::store
