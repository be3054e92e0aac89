#pragma once
// The vocabulary table a command works on: the alias "Vokabel" of the engine
// configuration, or a table file named with --db.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "store/alias_config.h"
#include "store/session.h"

namespace morvanta::store {
class Database;
}

namespace morvanta::cli {

class TableAccess {
public:
    // Without a file the user's engine configuration is read, never written. A
    // file named directly gets a configuration held in memory only. Throws
    // UsageError or Refusal.
    explicit TableAccess(const std::optional<std::string>& dbFile);
    ~TableAccess();
    TableAccess(const TableAccess&) = delete;
    TableAccess& operator=(const TableAccess&) = delete;

    store::Session& session() { return *session_; }
    const store::AliasConfig& config() const { return *config_; }
    const std::filesystem::path& tableFile() const { return tableFile_; }

    // Opens the table file once; what the learner should know about it goes to
    // stderr unless reportWarning is false, and damage the check beside the
    // command finds is told when the access ends. Throws Refusal.
    store::Database& open(bool reportWarning = true);

private:
    std::unique_ptr<store::AliasConfig> config_;
    std::unique_ptr<store::Session> session_;
    std::filesystem::path tableFile_;
    std::shared_ptr<store::Database> db_;
    bool warned_ = false;  // what the learner should know about the file was told (or not wanted)
};

}  // namespace morvanta::cli
