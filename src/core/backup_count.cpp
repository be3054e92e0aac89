#include "core/backup_count.h"

#include <cstdlib>

#include "store/backup.h"

namespace morvanta::core {

int BackupCount(const store::AliasConfig& config, std::string_view alias) {
    const auto params = config.aliasParams(alias);
    if (!params) return store::kDefaultBackupCount;
    const auto it = params->find("BACKUPS");
    if (it == params->end()) return store::kDefaultBackupCount;
    const int count = std::atoi(it->second.c_str());
    return count > 0 ? count : store::kDefaultBackupCount;
}

}  // namespace morvanta::core
