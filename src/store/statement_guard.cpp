#include "store/statement_guard.h"

#include <sqlite3.h>

#include <string>
#include <vector>

#include "store/database.h"
#include "store/engine_error.h"
#include "store/text_fold.h"

namespace morvanta::store {

namespace {

struct Verdict {
    std::vector<std::string> otherTables;  // stored tables the statement must not read
    bool allowWrites = false;
    StatementKind kind = StatementKind::Select;
    std::string refusal;
};

bool Is(const char* name, std::string_view expected) {
    return name != nullptr && SameAsciiName(name, expected);
}

std::string Named(const char* name) { return name ? std::string(name) : std::string(); }

std::string WhatIsRefused(int action, const char* third, const char* fourth) {
    switch (action) {
        case SQLITE_CREATE_INDEX: case SQLITE_CREATE_TABLE: case SQLITE_CREATE_TEMP_INDEX:
        case SQLITE_CREATE_TEMP_TABLE: case SQLITE_CREATE_TEMP_TRIGGER: case SQLITE_CREATE_TEMP_VIEW:
        case SQLITE_CREATE_TRIGGER: case SQLITE_CREATE_VIEW: case SQLITE_CREATE_VTABLE:
            return "Die Anweisung legt Tabellen, Indizes, Sichten oder Trigger an.";
        case SQLITE_DROP_INDEX: case SQLITE_DROP_TABLE: case SQLITE_DROP_TEMP_INDEX:
        case SQLITE_DROP_TEMP_TABLE: case SQLITE_DROP_TEMP_TRIGGER: case SQLITE_DROP_TEMP_VIEW:
        case SQLITE_DROP_TRIGGER: case SQLITE_DROP_VIEW: case SQLITE_DROP_VTABLE:
            return "Die Anweisung löscht Tabellen, Indizes, Sichten oder Trigger.";
        case SQLITE_ALTER_TABLE:
            return "Die Anweisung verändert den Aufbau der Tabelle.";
        case SQLITE_ATTACH: case SQLITE_DETACH:
            return "Die Anweisung bindet andere Dateien an oder löst sie.";
        case SQLITE_PRAGMA:
            return "PRAGMA-Anweisungen (" + Named(third) + ") sind nicht erlaubt.";
        case SQLITE_TRANSACTION: case SQLITE_SAVEPOINT:
            return "Transaktionen steuert das Programm selbst.";
        case SQLITE_FUNCTION:
            return "Die Funktion " + Named(fourth) + " ist nicht erlaubt.";
        case SQLITE_READ:
            return "Die Anweisung liest die Tabelle " + Named(third) +
                   "; erlaubt ist nur die Tabelle Vokabel.";
        case SQLITE_INSERT: case SQLITE_UPDATE: case SQLITE_DELETE:
            return "Die Anweisung ändert die Tabelle " + Named(third) +
                   "; erlaubt ist nur die Tabelle Vokabel.";
        default:
            return "Die Anweisung ist nicht erlaubt.";
    }
}

int Authorize(void* context, int action, const char* third, const char* fourth, const char*,
              const char* trigger) {
    auto& verdict = *static_cast<Verdict*>(context);
    auto refuse = [&](std::string why) {
        if (verdict.refusal.empty()) verdict.refusal = std::move(why);
        return SQLITE_DENY;
    };
    switch (action) {
        case SQLITE_SELECT:
        case SQLITE_RECURSIVE:
            return SQLITE_OK;
        case SQLITE_READ:
            // The trigger that takes a deleted word's memory along finds its rows.
            if (trigger != nullptr && Is(third, "MemoryState")) return SQLITE_OK;
            // Names of the statement's own (WITH) tables are read too; only stored
            // tables other than the vocabulary are out of reach.
            for (const std::string& table : verdict.otherTables)
                if (Is(third, table)) return refuse(WhatIsRefused(action, third, fourth));
            return SQLITE_OK;
        case SQLITE_FUNCTION:
            if (Is(fourth, "load_extension") || Is(fourth, "fts3_tokenizer") || Is(fourth, "readfile") ||
                Is(fourth, "writefile") || Is(fourth, "edit"))
                return refuse(WhatIsRefused(action, third, fourth));
            return SQLITE_OK;
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_DELETE:
            // SQLite checks the schema table while it compiles the table's triggers;
            // changes to the schema itself are refused by their own actions above.
            if (Is(third, "sqlite_master") || Is(third, "sqlite_temp_master")) return SQLITE_OK;
            // The key order table is written only by the table's own triggers, and a
            // deleted word's memory goes by one of them.
            if (trigger != nullptr)
                return Is(third, "VokabelOrder") || (action == SQLITE_DELETE && Is(third, "MemoryState"))
                           ? SQLITE_OK
                           : refuse(WhatIsRefused(action, third, fourth));
            if (!Is(third, "Vokabel")) return refuse(WhatIsRefused(action, third, fourth));
            if (!verdict.allowWrites)
                return refuse("Die Anweisung ändert Vokabeln; erlaubt ist hier nur eine Auswahl (SELECT).");
            // The row id is how the order, the answer history and saved quizzes find a
            // word: a word whose id changed would be lost to them.
            if (action == SQLITE_UPDATE && Is(fourth, "ROWID"))
                return refuse("Die Anweisung ändert die Nummer (rowid) von Vokabeln; an ihr finden "
                              "Reihenfolge, Verlauf und gespeicherte Abfragen die Vokabel.");
            verdict.kind = action == SQLITE_INSERT   ? StatementKind::Insert
                           : action == SQLITE_UPDATE ? StatementKind::Update
                                                     : StatementKind::Delete;
            return SQLITE_OK;
        default:
            return refuse(WhatIsRefused(action, third, fourth));
    }
}

class AuthorizerScope {
public:
    AuthorizerScope(sqlite3* db, Verdict& verdict) : db_(db) { sqlite3_set_authorizer(db_, Authorize, &verdict); }
    ~AuthorizerScope() { sqlite3_set_authorizer(db_, nullptr, nullptr); }
    AuthorizerScope(const AuthorizerScope&) = delete;
    AuthorizerScope& operator=(const AuthorizerScope&) = delete;

private:
    sqlite3* db_;
};

}  // namespace

EngineError Refusal(const std::string& why) {
    return EngineError("Die SQL-Anweisung wurde nicht ausgeführt: " + why + " Es wurde nichts verändert.",
                       SQLITE_AUTH);
}

GuardedStatement PrepareGuarded(Database& db, std::string_view sql, bool allowWrites) {
    Verdict verdict;
    verdict.allowWrites = allowWrites;
    verdict.otherTables = {"sqlite_master", "sqlite_schema", "sqlite_temp_master", "sqlite_temp_schema"};
    {
        Statement tables = db.prepare(
            "SELECT name FROM sqlite_schema WHERE type IN ('table', 'view') UNION ALL "
            "SELECT name FROM sqlite_temp_schema WHERE type IN ('table', 'view')");
        while (tables.step()) {
            std::string name(tables.columnText(0));
            if (!SameAsciiName(name, "Vokabel") && !SameAsciiName(name, "VokabelOrder"))
                verdict.otherTables.push_back(std::move(name));
        }
    }
    try {
        AuthorizerScope scope(db.handle(), verdict);
        Statement statement = db.prepare(sql);
        // VACUUM and the like write without asking the authorizer.
        if (!statement.readOnly() && verdict.kind == StatementKind::Select)
            throw Refusal("Nur Auswahl (SELECT) und Änderungen an Vokabeln (INSERT, UPDATE, DELETE) "
                          "sind erlaubt.");
        return {std::move(statement), verdict.kind};
    } catch (const EngineError& e) {
        if (!verdict.refusal.empty()) throw Refusal(verdict.refusal);
        throw;
    }
}

}  // namespace morvanta::store
