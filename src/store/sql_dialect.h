#pragma once
// Turns statements in the program's SQL dialect (double-quoted literals, German
// dates, True/False, closing ';', division with fractions) into SQLite, and recognises the plain
// selections from the vocabulary table that can be shown as live results.

#include <string>
#include <string_view>

namespace morvanta::store {

struct TranslatedSql {
    std::string sql;             // the SQLite statement
    bool plainSelect = false;    // SELECT * FROM Vokabel [[AS] alias] [WHERE ...] [ORDER BY ...]
    std::string alias;           // its table alias (empty: none)
    std::string where;           // its condition (empty: all rows)
    std::string orderBy;         // its order terms (empty: key order)
    bool singleTableSelect = false;  // a selection from Vokabel alone without its own order
};

// Throws EngineError on text that cannot be read (an open quote, an unreadable date).
TranslatedSql TranslateSql(std::string_view text);

// text between two quote characters, each one inside doubled: a literal ('),
// a name or the dialect's literal (").
std::string SqlQuoted(std::string_view text, char quote);

}  // namespace morvanta::store
