#include "store/statement.h"

#include <sqlite3.h>

#include "store/database.h"
#include "store/engine_error.h"
#include "store/learner_bounds.h"

namespace morvanta::store {

std::string_view DiagnosisOf(int code) {
    // The table's one uniqueness rule: Hepburn and the three translations.
    if (code == SQLITE_CONSTRAINT_UNIQUE)
        return "Es gibt schon eine Vokabel mit diesem Hepburn und diesen drei Übersetzungen: "
               "Die Änderung wurde nicht gespeichert.";
    switch (code & 0xff) {
        case SQLITE_ERROR:
            return "Die SQL-Anweisung ist fehlerhaft oder konnte nicht ausgeführt werden.";
        case SQLITE_CONSTRAINT:
            return "Die Änderung verstößt gegen eine Regel der Vokabeltabelle und wurde nicht "
                   "gespeichert.";
        case SQLITE_FULL:
            return "Der Datenträger ist voll: Die Änderung wurde nicht gespeichert. "
                   "Bitte Platz schaffen und es erneut versuchen.";
        case SQLITE_READONLY:
            return "Die Vokabeldatei oder ihr Ordner ist schreibgeschützt: "
                   "Die Änderung wurde nicht gespeichert.";
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "Die Vokabeldatei ist von einem anderen Programm gesperrt: "
                   "Die Änderung wurde nicht gespeichert. Bitte das andere Programm schließen "
                   "und es erneut versuchen.";
        case SQLITE_CORRUPT:
            return "Die Vokabeldatei ist beschädigt. Bitte eine Sicherung aus dem Ordner "
                   "\"Backup\" zurückspielen.";
        case SQLITE_NOTADB:
            return "Die Datei ist keine SQLite-Datenbank.";
        case SQLITE_IOERR:
            return "Die Vokabeldatei konnte nicht gelesen oder geschrieben werden.";
        case SQLITE_NOMEM:
            return "Der Arbeitsspeicher reicht nicht aus.";
        case SQLITE_TOOBIG:
            return "Ein Text oder eine Zeile ist zu groß für die Vokabeldatei.";
        case SQLITE_INTERRUPT:
            return "Die Abfrage wurde abgebrochen.";
        default:
            return {};
    }
}

void ThrowSqliteError(sqlite3* db, int rc, std::string_view context) {
    int code = rc;
    std::string detail;
    if (db != nullptr && sqlite3_errcode(db) != SQLITE_OK) {
        code = sqlite3_extended_errcode(db);
        detail = sqlite3_errmsg(db);
    } else {
        detail = sqlite3_errstr(rc);
    }
    // What was being done, then what the learner can do about it.
    std::string lead(context);
    if (const std::string bound = BoundDiagnosis(db, code, detail); !bound.empty()) {
        if (!lead.empty()) lead += ' ';
        throw EngineError::AtBound(WithDetail(lead + bound, detail), code);
    }
    std::string_view diagnosis = DiagnosisOf(code);
    // A table's file written by another program underneath its connection is no damage.
    const std::string changed =
        (code & 0xff) == SQLITE_CORRUPT ? Database::JudgeReportedDamage(db) : std::string();
    if (!changed.empty()) diagnosis = changed;
    if (!diagnosis.empty()) {
        if (!lead.empty()) lead += ' ';
        lead += diagnosis;
    }
    if (lead.empty()) lead = "Die Datenbank meldet einen Fehler.";
    // The engine's own words stay in brackets for whoever repairs the file.
    throw EngineError(WithDetail(lead, detail), code);
}

void Statement::Finalizer::operator()(sqlite3_stmt* s) const noexcept { sqlite3_finalize(s); }

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, &tail);
    stmt_.reset(raw);
    if (rc != SQLITE_OK) ThrowSqliteError(db, rc);
    if (raw == nullptr) throw EngineError("Der SQL-Text enthält keine Anweisung.");
    const char* end = sql.data() + sql.size();
    for (const char* p = tail; p != nullptr && p < end; ++p) {
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';')
            throw EngineError("Es kann nur eine SQL-Anweisung auf einmal ausgeführt werden.");
    }
}

void Statement::check(int rc) const {
    if (rc != SQLITE_OK) ThrowSqliteError(db_, rc);
}

void Statement::bindNull(int index) { check(sqlite3_bind_null(stmt_.get(), index)); }
void Statement::bindInt(int index, std::int64_t value) {
    check(sqlite3_bind_int64(stmt_.get(), index, value));
}
void Statement::bindDouble(int index, double value) {
    check(sqlite3_bind_double(stmt_.get(), index, value));
}
void Statement::bindText(int index, std::string_view text) {
    check(sqlite3_bind_text(stmt_.get(), index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
}

void Statement::bindBlob(int index, std::string_view bytes) {
    check(sqlite3_bind_blob(stmt_.get(), index, bytes.data(), static_cast<int>(bytes.size()),
                            SQLITE_TRANSIENT));
}

bool Statement::step() {
    int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    // Reset so the statement can be used again; the error stays on the connection.
    sqlite3_reset(stmt_.get());
    ThrowSqliteError(db_, rc);
}

void Statement::reset() {
    sqlite3_reset(stmt_.get());
    sqlite3_clear_bindings(stmt_.get());
}

void Statement::run() {
    while (step()) {
    }
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_.get()); }
int Statement::columnType(int column) const { return sqlite3_column_type(stmt_.get(), column); }

bool Statement::columnIsNull(int column) const { return sqlite3_column_type(stmt_.get(), column) == SQLITE_NULL; }
std::string Statement::columnName(int column) const {
    const char* name = sqlite3_column_name(stmt_.get(), column);
    return name ? name : "";
}
std::int64_t Statement::columnInt(int column) const {
    return sqlite3_column_int64(stmt_.get(), column);
}
double Statement::columnDouble(int column) const {
    return sqlite3_column_double(stmt_.get(), column);
}
std::string_view Statement::columnText(int column) const {
    auto text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_.get(), column));
    if (text == nullptr) return {};
    return {text, static_cast<size_t>(sqlite3_column_bytes(stmt_.get(), column))};
}
bool Statement::readOnly() const { return sqlite3_stmt_readonly(stmt_.get()) != 0; }

}  // namespace morvanta::store
