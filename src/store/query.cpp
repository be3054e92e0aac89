#include <algorithm>
#include <optional>

#include "store/backup.h"
#include "store/backup_count.h"
#include "store/database.h"
#include "store/data_set.h"
#include "store/session.h"
#include "store/field_value.h"
#include "store/key_order.h"
#include "store/schema.h"
#include "store/sql_dialect.h"
#include "store/text_fold.h"

namespace morvanta::store {

Query::Query(Session& session, std::string alias) : DataSet(session, std::move(alias)) {}

void Query::setSql(std::vector<std::string> lines) { sql_ = std::move(lines); }

std::string Query::sqlText() const {
    std::string text;
    for (size_t i = 0; i < sql_.size(); ++i) {
        if (i > 0) text += '\n';
        text += sql_[i];
    }
    return text;
}

namespace {

TranslatedSql TranslateNonEmpty(const std::string& text) {
    if (text.find_first_not_of(" \t\r\n;") == std::string::npos)
        throw EngineError("Die Abfrage hat keine SQL-Anweisung.");
    return TranslateSql(text);
}

// Of a key order just read, the marked words, when most words are marked (as
// after entering them): the unmarked ones are looked up, walking the order table
// in id order, and dropped. False as soon as they turn out to be more than a
// third: then reading the marked ones off their own index costs less.
bool KeepMarked(Database& db, std::vector<std::int64_t>& rows) {
    if (rows.empty()) return true;
    const auto [lowest, highest] = std::minmax_element(rows.begin(), rows.end());
    const double wordsPerId = static_cast<double>(rows.size()) / static_cast<double>(*highest - *lowest + 1);
    Statement select = db.prepare("SELECT WordId FROM VokabelOrder WHERE Marked IS NOT 1 ORDER BY WordId");
    std::vector<std::int64_t> unmarked;
    while (select.step()) {
        unmarked.push_back(select.columnInt(0));
        const double walked = static_cast<double>(unmarked.back() - *lowest + 1) * wordsPerId;
        if (unmarked.size() >= 256 && static_cast<double>(unmarked.size()) * 3 > walked) return false;
    }
    if (unmarked.empty()) return true;
    std::erase_if(rows, [&unmarked](std::int64_t id) {
        return std::binary_search(unmarked.begin(), unmarked.end(), id);
    });
    return true;
}

// "Marked=1", however it is spaced or spelled.
bool IsMarkedOnly(const std::string& where) {
    std::string compact;
    for (char c : where)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') compact += c;
    return SameAsciiName(compact, "Marked=1");
}

}  // namespace

ExecResult Query::execSql(const ConfirmChange& confirm) {
    TranslatedSql translated = TranslateNonEmpty(sqlText());
    Database& db = *database();
    return db.watched([&] {
        GuardedStatement guarded = PrepareGuarded(db, translated.sql, true);
        ExecResult result;
        result.kind = guarded.kind;
        if (guarded.kind == StatementKind::Select) return result;  // open() reads it
        Transaction transaction(db);
        ChangeReview review(db);
        guarded.statement.run();
        result.counts = review.counts();
        if (!result.counts.any()) return result;
        review.requireSoundValues();
        if (confirm && !confirm(result.counts)) {
            result.declined = true;
            return result;  // rolled back
        }
        // Rows replaced through a conflict clause leave their place in the order behind.
        RepairKeyOrder(db, true);
        result.copyBefore = WriteCopyBeforeChange(db.file(), BackupCount(session_.config(), alias_));
        transaction.commit();
        db.bumpGeneration();
        db.flush();
        return result;
    });
}

void Query::requireSelection(const std::string& text) {
    TranslatedSql translated = TranslateNonEmpty(text);
    requireWords(translated);
    PrepareGuarded(*database(), translated.sql, false);
}

void Query::requireWords(const TranslatedSql& translated) const {
    if (wordsOnly_ && !translated.plainSelect)
        throw Refusal("Eine Abfrage braucht ganze Vokabeln: „SELECT * FROM Vokabel“, nach Wunsch "
                      "mit WHERE und ORDER BY. Andere Auswahlen (einzelne Felder, andere Tabellen, "
                      "GROUP BY, LIMIT, Funktionen allein) kann sie weder zeigen noch buchen.");
}

void Query::open() {
    if (active()) return;
    install(load());
}

ExecResult Query::run(std::vector<std::string> lines, const ConfirmChange& confirm) {
    std::vector<std::string> former = sql_;
    const bool wasActive = active();
    sql_ = std::move(lines);
    try {
        ExecResult result = execSql(confirm);
        if (result.kind != StatementKind::Select) {
            // The words changed: the former selection is read again.
            sql_ = std::move(former);
            close();
            if (wasActive) install(load());
            return result;
        }
        Result loaded = load();
        close();
        install(std::move(loaded));
        return result;
    } catch (const EngineError& e) {
        // Cancelled or refused, the statement changed nothing: neither does the query.
        if (e.isCancelled() || e.isRefused()) {
            sql_ = std::move(former);
        } else {
            close();
        }
        throw;
    }
}

void Query::install(Result result) {
    if (result.live) setRows(std::move(result.rows));
    else setFixedResult(std::move(result.columns), std::move(result.fixedRows));
    becomeOpen();
}

void Query::reread() {
    if (!live_) return;
    std::int64_t row = currentRowId();
    Result loaded = load();
    if (!loaded.live) return;
    rows_ = std::move(loaded.rows);
    auto it = std::find(rows_.begin(), rows_.end(), row);
    if (it != rows_.end()) current_ = static_cast<int>(it - rows_.begin());
    else current_ = std::min(current_, static_cast<int>(rows_.size()) - 1);
}

Query::Result Query::load() {
    TranslatedSql translated = TranslateNonEmpty(sqlText());
    requireWords(translated);
    Database& db = *database();
    // Reading touches nothing but the connection: it can run aside of the observer.
    return db.watched([&] {
        return db.aside([&] {
            if (translated.plainSelect) return loadLive(translated.alias, translated.where, translated.orderBy);
            return loadFixed(translated.sql, translated.singleTableSelect, translated.alias);
        });
    });
}

Query::Result Query::loadLive(const std::string& alias, const std::string& where, const std::string& orderBy) {
    // Line breaks keep a closing "--" comment of the user's text from swallowing the rest.
    const std::string table = alias.empty() ? std::string("Vokabel") : alias;
    const std::string from = "FROM Vokabel" + (alias.empty() ? std::string() : " AS " + alias);
    std::string sql;
    if (orderBy.empty() && alias.empty() && IsMarkedOnly(where)) {
        // The quiz's default selection: the order table keeps a copy of Marked.
        Result result;
        if (database()->takeKeyOrder(result.rows) && KeepMarked(*database(), result.rows)) return result;
        sql = "SELECT WordId FROM VokabelOrder WHERE Marked = 1 ORDER BY SortKey, WordId";
    } else if (orderBy.empty()) {
        // The words are chosen first, then read off the order's index: no sort, and
        // no walk through the whole table for a condition that picks few words.
        sql = "SELECT WordId FROM VokabelOrder";
        if (!where.empty()) sql += "\nWHERE WordId IN (SELECT " + table + ".rowid " + from + "\nWHERE " + where + "\n)";
        sql += "\nORDER BY SortKey, WordId";
    } else {
        sql = "SELECT " + table + ".rowid " + from + "\n" + KeyOrderJoin(table + ".rowid");
        if (!where.empty()) sql += "\nWHERE " + where;
        sql += "\nORDER BY " + orderBy + ",\n" + std::string(kJoinedKeyOrder);
    }
    GuardedStatement select = PrepareGuarded(*database(), sql, false);
    Result result;
    while (select.statement.step()) result.rows.push_back(select.statement.columnInt(0));
    return result;
}

Query::Result Query::loadFixed(const std::string& sql, bool singleTable, const std::string& alias) {
    Database& db = *database();
    std::optional<GuardedStatement> select;
    if (singleTable) {
        // Rows of a selection from the table alone come in key order too.
        try {
            select.emplace(PrepareGuarded(db, sql + "\nORDER BY " + KeyOrderTerms(alias.empty() ? std::string("Vokabel") : alias), false));
        } catch (const EngineError&) {
        }
    }
    if (!select) select.emplace(PrepareGuarded(db, sql, false));
    Statement& statement = select->statement;
    if (statement.columnCount() == 0 || !statement.readOnly())
        throw EngineError(
            "Die Anweisung liefert keine Ergebnismenge; sie kann nur ausgeführt werden.");
    Result result;
    result.live = false;
    std::vector<FieldKind> kinds;
    for (int i = 0; i < statement.columnCount(); ++i) {
        result.columns.push_back(statement.columnName(i));
        kinds.push_back(ColumnKind(result.columns.back()));
    }
    std::int64_t held = 0;  // bytes of the result in memory
    while (statement.step()) {
        std::vector<Value> row;
        row.reserve(result.columns.size());
        for (size_t i = 0; i < result.columns.size(); ++i) {
            row.push_back(ReadColumn(statement, static_cast<int>(i), kinds[i]));
            const auto* text = std::get_if<std::string>(&row.back());
            held += static_cast<std::int64_t>(sizeof(Value) + (text ? text->size() : 0));
        }
        if (held > kResultBound) throw ResultBoundError();
        result.fixedRows.push_back(std::move(row));
    }
    return result;
}

}  // namespace morvanta::store
