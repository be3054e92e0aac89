#include "store/session.h"

#include "store/database.h"
#include "store/engine_error.h"
#include "store/text_fold.h"
#include "store/vocabulary.h"
#include "text/fast_strings.h"
#include "text/quoted.h"

namespace morvanta::store {

Session::Session(AliasConfig& config) : config_(config) {}

Session::~Session() = default;

std::shared_ptr<Database> Session::connect(std::string_view alias) {
    std::string key;
    for (char c : alias) key += text::AsciiLower(c);
    auto it = connections_.find(key);
    if (it != connections_.end()) return it->second;

    if (!config_.isAliasKnown(alias))
        throw EngineError("Den Datenbank-Alias " + text::Quoted(alias) + " gibt es nicht.");
    const auto path = config_.aliasParam(alias, "PATH");
    if (!path || path->empty())
        throw EngineError("Der Datenbank-Alias " + text::Quoted(alias) + " nennt keinen Ordner (PATH).");
    auto db = Database::open(std::filesystem::path(*path) / kTableFileName);
    connections_.emplace(key, db);
    return db;
}

}  // namespace morvanta::store
