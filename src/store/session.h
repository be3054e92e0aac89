#pragma once
// The database session: resolves aliases through the configuration and keeps
// one open connection per alias for all data sets.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "store/alias_config.h"

namespace morvanta::store {

class Database;

class Session {
public:
    explicit Session(AliasConfig& config);
    ~Session();
    AliasConfig& config() { return config_; }
    // The connection for an alias; opens the alias folder's table file.
    // Throws EngineError when the alias is unknown, or the folder or file is missing or damaged.
    std::shared_ptr<Database> connect(std::string_view alias);

private:
    AliasConfig& config_;
    std::map<std::string, std::shared_ptr<Database>, std::less<>> connections_;
};

}  // namespace morvanta::store
