#include "store/sql_functions.h"

#include <sqlite3.h>

#include <string>
#include <string_view>

#include "store/schema.h"
#include "store/statement.h"
#include "store/text_fold.h"

namespace morvanta::store {

namespace {

int KeyCollation(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return CompareKey({static_cast<const char*>(a), static_cast<size_t>(lengthA)},
                      {static_cast<const char*>(b), static_cast<size_t>(lengthB)});
}

std::string_view ValueText(sqlite3_value* value) {
    auto text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (text == nullptr) return {};
    return {text, static_cast<size_t>(sqlite3_value_bytes(value))};
}

// like(pattern, text [, escape]) as SQLite calls it for "text LIKE pattern".
void Like(sqlite3_context* context, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return;  // NULL result
    }
    char32_t escape = 0;
    if (argc == 3) {
        std::string_view e = ValueText(argv[2]);
        auto p = reinterpret_cast<const unsigned char*>(e.data());
        auto end = p + e.size();
        if (p != end) escape = DecodeUtf8(p, end);
        if (e.empty() || p != end) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
    }
    std::string_view pattern = ValueText(argv[0]);
    if (pattern.size() > 50000) {
        sqlite3_result_error(context, "LIKE or GLOB pattern too complex", -1);
        return;
    }
    sqlite3_result_int(context, LikeMatch(pattern, ValueText(argv[1]), escape) ? 1 : 0);
}

}  // namespace

void RegisterSqlFunctions(sqlite3* db) {
    std::string collation(kKeyCollation);
    int rc = sqlite3_create_collation(db, collation.c_str(), SQLITE_UTF8, nullptr, KeyCollation);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                     Like, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                     Like, nullptr, nullptr);
    if (rc != SQLITE_OK)
        ThrowSqliteError(db, rc, "Die Verbindung zur Vokabeldatei kann nicht eingerichtet werden.");
}

}  // namespace morvanta::store
