#include "core/entry/search_sql.h"

#include "store/sql_dialect.h"
#include "store/vocabulary.h"

namespace morvanta::entry {

std::string SearchLiteral(std::string_view text) {
    if (store::FieldIndex(text) >= 0) return store::SqlQuoted(text, '\'');
    return store::SqlQuoted(text, '"');
}

std::string SearchSql(std::string_view entry, std::string_view text) {
    const std::string e = SearchLiteral(text);
    std::string sql = "SELECT * FROM Vokabel WHERE ";
    if (entry == "Translation")
        sql += "Translation1 LIKE " + e + " OR Translation2 LIKE " + e + " OR Translation3 LIKE " + e + ";";
    else if (entry == "Lektion")
        sql += "Lesson = " + e + ";";
    else if (entry == "Typ")
        sql += "type = " + e + ";";
    else if (entry == "Beschreibung")
        sql += "Note = " + e + ";";
    else if (entry == "Hepburn")
        sql += "Hepburn LIKE " + e + ";";
    else
        return "SELECT * FROM Vokabel;";
    return sql;
}

}  // namespace morvanta::entry
