#include <optional>

#include "store/database.h"
#include "store/data_set.h"
#include "store/field_value.h"
#include "store/schema.h"
#include "store/sql_dialect.h"

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
        throw EngineError("The query has no SQL statement.");
    return TranslateSql(text);
}

}  // namespace

void Query::execSql() {
    TranslatedSql translated = TranslateNonEmpty(sqlText());
    Database& db = *database();
    Statement statement = db.prepare(translated.sql);
    if (statement.readOnly()) return;  // a selection is only checked; open() reads it
    statement.run();
    db.bumpGeneration();
}

void Query::open() {
    if (active()) return;
    TranslatedSql translated = TranslateNonEmpty(sqlText());
    database();
    if (translated.plainSelect) openLive(translated.where, translated.orderBy);
    else openFixed(translated.sql, translated.singleTableSelect);
    becomeOpen();
}

void Query::openLive(const std::string& where, const std::string& orderBy) {
    // Line breaks keep a closing "--" comment of the user's text from swallowing the rest.
    std::string sql = "SELECT rowid FROM Vokabel";
    if (!where.empty()) sql += "\nWHERE " + where;
    sql += "\nORDER BY ";
    if (!orderBy.empty()) sql += orderBy + ",\n";
    sql += KeyOrderSql();
    Statement select = database()->prepare(sql);
    std::vector<std::int64_t> rows;
    while (select.step()) rows.push_back(select.columnInt(0));
    setRows(std::move(rows));
}

void Query::openFixed(const std::string& sql, bool singleTable) {
    Database& db = *database();
    std::optional<Statement> select;
    if (singleTable) {
        // Rows of a selection from the table alone come in key order too.
        try {
            select.emplace(db.prepare(sql + "\nORDER BY " + std::string(KeyOrderSql())));
        } catch (const EngineError&) {
        }
    }
    if (!select) select.emplace(db.prepare(sql));
    if (select->columnCount() == 0 || !select->readOnly())
        throw EngineError("The statement gives no result set; it can only be executed.");
    std::vector<std::string> columns;
    std::vector<FieldKind> kinds;
    for (int i = 0; i < select->columnCount(); ++i) {
        columns.push_back(select->columnName(i));
        kinds.push_back(ColumnKind(columns.back()));
    }
    std::vector<std::vector<Value>> rows;
    while (select->step()) {
        std::vector<Value> row;
        row.reserve(columns.size());
        for (size_t i = 0; i < columns.size(); ++i)
            row.push_back(ReadColumn(*select, static_cast<int>(i), kinds[i]));
        rows.push_back(std::move(row));
    }
    setFixedResult(std::move(columns), std::move(rows));
}

}  // namespace morvanta::store
