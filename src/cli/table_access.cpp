#include "cli/table_access.h"

#include <iostream>

#include "cli/cli_error.h"
#include "cli/messages.h"
#include "cli/terminal_progress.h"
#include "store/database.h"
#include "store/engine_error.h"
#include "store/vocabulary.h"

namespace morvanta::cli {

namespace fs = std::filesystem;

namespace {

std::string AliasFolder(const store::AliasConfig& config) {
    if (!config.isAliasKnown(store::kVocabularyAlias))
        throw Refusal("Die Engine-Konfiguration " + Quoted(config.file().string()) +
                      " kennt den Alias „Vokabel“ nicht. Morvanta einmal starten, damit er "
                      "angelegt wird, oder die Vokabeldatei mit --db DATEI nennen.");
    const auto path = config.aliasParam(store::kVocabularyAlias, "PATH");
    if (path && !path->empty()) return *path;
    throw Refusal("Der Alias „Vokabel“ in " + Quoted(config.file().string()) +
                  " nennt keinen Ordner (PATH).");
}

}  // namespace

TableAccess::TableAccess(const std::optional<std::string>& dbFile) {
    if (dbFile) {
        const fs::path file = fs::absolute(fs::path(*dbFile));
        if (file.filename() != std::string(store::kTableFileName))
            throw UsageError("--db nennt eine Vokabeldatei, die " +
                             std::string(store::kTableFileName) + " heißt, nicht " +
                             Quoted(file.filename().string()) + ".");
        tableFile_ = file;
        // Held in memory only: it names no file, so nothing is read or written.
        config_ = std::make_unique<store::AliasConfig>(fs::path());
        config_->addStandardAlias(
            store::kVocabularyAlias, {"PATH=" + file.parent_path().string(), "DEFAULT DRIVER=PARADOX"});
    } else {
        config_ = std::make_unique<store::AliasConfig>(store::AliasConfig::defaultPath());
        try {
            config_->setConfigModePersistent();
        } catch (const store::EngineError& e) {
            throw Refusal("Die Engine-Konfiguration " + Quoted(config_->file().string()) +
                          " kann nicht gelesen werden: " + e.what());
        }
        tableFile_ = fs::path(AliasFolder(*config_)) / std::string(store::kTableFileName);
    }
    session_ = std::make_unique<store::Session>(*config_);
}

TableAccess::~TableAccess() {
    // The check for damage ran beside the command: a verdict not yet told is told now.
    if (!db_ || warned_) return;
    try {
        db_->awaitCheck();
        if (!db_->warning().empty()) std::cerr << "Achtung: " << db_->warning() << "\n";
    } catch (...) {
        // Nothing more to say at the end.
    }
}

store::Database& TableAccess::open(bool reportWarning) {
    if (db_) return *db_;
    std::error_code ec;
    if (!fs::exists(tableFile_, ec))
        throw Refusal("Die Vokabeldatei " + Quoted(tableFile_.string()) + " gibt es nicht.");
    try {
        db_ = session_->connect(store::kVocabularyAlias);
    } catch (const store::EngineError& e) {
        throw Refusal("Die Vokabeldatei " + Quoted(tableFile_.string()) +
                      " kann nicht geöffnet werden: " + e.what());
    }
    db_->startCheck();  // beside the command's work
    db_->setLongWork(&InterruptObserver());
    warned_ = !reportWarning || !db_->warning().empty();
    if (reportWarning && !db_->warning().empty())
        std::cerr << "Achtung: " << db_->warning() << "\n";
    return *db_;
}

}  // namespace morvanta::cli
