#include "store/session.h"

#include "store/database.h"
#include "store/engine_error.h"
#include "store/text_fold.h"
#include "store/vocabulary.h"
#include "text/fast_strings.h"

namespace morvanta::store {

Session::Session(AliasConfig& config) : config_(config) {}

Session::~Session() = default;

std::shared_ptr<Database> Session::connect(std::string_view alias) {
    std::string key;
    for (char c : alias) key += text::AsciiLower(c);
    auto it = connections_.find(key);
    if (it != connections_.end()) return it->second;

    auto params = config_.aliasParams(alias);
    if (!params)
        throw EngineError("Den Datenbank-Alias „" + std::string(alias) + "“ gibt es nicht.");
    const std::string* path = nullptr;
    for (const auto& [name, value] : *params)
        if (SameAsciiName(name, "PATH")) path = &value;
    if (path == nullptr || path->empty())
        throw EngineError("Der Datenbank-Alias „" + std::string(alias) +
                          "“ nennt keinen Ordner (PATH).");
    auto db = Database::open(std::filesystem::path(*path) / kTableFileName);
    connections_.emplace(key, db);
    return db;
}

}  // namespace morvanta::store
