#include "store/sql_functions.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "store/learner_bounds.h"
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

// Work one call of a string function may do, in steps of comparing characters:
// a tenth of a second or so, far beyond what a word's fields ask for. instr
// and replace compare with memcmp, the matchers and trim character by character.
constexpr std::int64_t kScanWork = 1'000'000'000;
constexpr std::int64_t kMatchWork = 50'000'000;

void RefuseWork(sqlite3_context* context, const char* function, std::int64_t work) {
    const std::string why = FunctionBoundMessage(function, work);
    sqlite3_result_error(context, why.c_str(), -1);
    sqlite3_result_error_code(context, SQLITE_TOOBIG);
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
    const std::string_view text = ValueText(argv[1]);
    if (static_cast<std::int64_t>(pattern.size()) * static_cast<std::int64_t>(text.size()) > kMatchWork) {
        RefuseWork(context, "like", kMatchWork);
        return;
    }
    sqlite3_result_int(context, LikeMatch(pattern, text, escape) ? 1 : 0);
}

// SQLite's own functions, called on a private in-memory connection: on the table's
// connection the guards below have taken their names.
class Builtins {
public:
    // Sets the result of SQLite's function `name` on the arguments; with
    // nullIsTooBig, a NULL result is taken for output beyond the length bound
    // (printf gives NULL then instead of an error).
    void call(sqlite3_context* context, const std::string& name, int argc, sqlite3_value** argv,
              bool nullIsTooBig) {
        sqlite3_stmt* statement = prepared(name, argc);
        if (statement == nullptr) {
            sqlite3_result_error_nomem(context);
            return;
        }
        const int bound = sqlite3_limit(sqlite3_context_db_handle(context), SQLITE_LIMIT_LENGTH, -1);
        sqlite3_limit(helper_.get(), SQLITE_LIMIT_LENGTH, bound);
        for (int i = 0; i < argc; ++i) sqlite3_bind_value(statement, i + 1, argv[i]);
        const int rc = sqlite3_step(statement);
        if (rc != SQLITE_ROW) {
            sqlite3_result_error(context, sqlite3_errmsg(helper_.get()), -1);
            sqlite3_result_error_code(context, sqlite3_extended_errcode(helper_.get()));
        } else if (nullIsTooBig && sqlite3_column_type(statement, 0) == SQLITE_NULL) {
            sqlite3_result_error_toobig(context);
        } else {
            sqlite3_result_value(context, sqlite3_column_value(statement, 0));
        }
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
    };
    struct Finalizer {
        void operator()(sqlite3_stmt* s) const noexcept { sqlite3_finalize(s); }
    };

    sqlite3_stmt* prepared(const std::string& name, int argc) {
        if (!helper_) {
            sqlite3* raw = nullptr;
            const int rc = sqlite3_open_v2(":memory:", &raw,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                           nullptr);
            helper_.reset(raw);
            if (rc != SQLITE_OK) {
                helper_.reset();
                return nullptr;
            }
            sqlite3_extended_result_codes(raw, 1);
        }
        auto& statement = statements_[{name, argc}];
        if (!statement) {
            std::string sql = "SELECT " + name + "(";
            for (int i = 1; i <= argc; ++i) sql += (i > 1 ? ", ?" : "?") + std::to_string(i);
            sql += ")";
            sqlite3_stmt* raw = nullptr;
            sqlite3_prepare_v2(helper_.get(), sql.c_str(), -1, &raw, nullptr);
            statement.reset(raw);
        }
        return statement.get();
    }

    std::unique_ptr<sqlite3, Closer> helper_;  // closed after its statements
    std::map<std::pair<std::string, int>, std::unique_ptr<sqlite3_stmt, Finalizer>> statements_;
};

// One of SQLite's string functions whose time grows with the product of two
// arguments' lengths, or printf, whose %c repeats by its precision however long.
struct GuardedBuiltin {
    std::shared_ptr<Builtins> builtins;
    std::string name;
    int first = -1, second = -1;  // the arguments whose lengths multiply to the work
    std::int64_t work = 0;
};

// printf's widths and precisions, literal or taken from an argument by "*", within
// the length bound.
bool PrintfFits(sqlite3_context* context, int argc, sqlite3_value** argv) {
    const auto* format = argc > 0 ? sqlite3_value_text(argv[0]) : nullptr;
    if (format == nullptr) return true;
    const std::int64_t bound = sqlite3_limit(sqlite3_context_db_handle(context), SQLITE_LIMIT_LENGTH, -1);
    int next = 1;
    const auto fromArgument = [&] {
        const int value = next < argc ? static_cast<int>(sqlite3_value_int64(argv[next])) : 0;
        ++next;
        return value < 0 ? -static_cast<std::int64_t>(value) : value;
    };
    const auto number = [](const unsigned char*& p) {
        std::uint64_t value = 0;
        for (; *p >= '0' && *p <= '9'; ++p) value = (value * 10 + (*p - '0')) & 0x7fffffff;
        return static_cast<std::int64_t>(value);
    };
    for (const unsigned char* p = format; *p != 0; ++p) {
        if (*p != '%') continue;
        ++p;
        while (*p != 0 && std::strchr("-+ #!0,", *p) != nullptr) ++p;
        std::int64_t width = 0, precision = 0;
        if (*p == '*') {
            width = fromArgument();
            ++p;
        } else {
            width = number(p);
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                precision = fromArgument();
                ++p;
            } else {
                precision = number(p);
            }
        }
        while (*p == 'l') ++p;
        if (width > bound || precision > bound) return false;
        if (*p == 0) break;
        if (*p != '%' && *p != 'n') ++next;
    }
    return true;
}

void CallGuarded(sqlite3_context* context, int argc, sqlite3_value** argv) {
    const auto& guarded = *static_cast<const GuardedBuiltin*>(sqlite3_user_data(context));
    if (guarded.first < 0) {
        if (!PrintfFits(context, argc, argv)) {
            sqlite3_result_error_toobig(context);
            return;
        }
    } else if (static_cast<std::int64_t>(sqlite3_value_bytes(argv[guarded.first])) *
                   sqlite3_value_bytes(argv[guarded.second]) >
               guarded.work) {
        RefuseWork(context, guarded.name.c_str(), guarded.work);
        return;
    }
    guarded.builtins->call(context, guarded.name, argc, argv, guarded.first < 0);
}

int RegisterGuarded(sqlite3* db, const std::shared_ptr<Builtins>& builtins, const char* name, int argc,
                    int first, int second, std::int64_t work) {
    auto* guarded = new GuardedBuiltin{builtins, name, first, second, work};
    // SQLite deletes it with the connection, or at once when registering fails.
    return sqlite3_create_function_v2(db, name, argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC, guarded,
                                      CallGuarded, nullptr, nullptr,
                                      [](void* p) { delete static_cast<GuardedBuiltin*>(p); });
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
    // Bounded in time, so that no single call keeps a statement from being cancelled.
    const auto builtins = std::make_shared<Builtins>();
    for (const char* name : {"printf", "format"})
        if (rc == SQLITE_OK) rc = RegisterGuarded(db, builtins, name, -1, -1, -1, 0);
    for (const char* name : {"instr", "trim", "ltrim", "rtrim", "glob"}) {
        const bool scan = std::string_view(name) == "instr";
        if (rc == SQLITE_OK) rc = RegisterGuarded(db, builtins, name, 2, 0, 1, scan ? kScanWork : kMatchWork);
    }
    if (rc == SQLITE_OK) rc = RegisterGuarded(db, builtins, "replace", 3, 0, 1, kScanWork);
    if (rc != SQLITE_OK)
        ThrowSqliteError(db, rc, "Die Verbindung zur Vokabeldatei kann nicht eingerichtet werden.");
}

}  // namespace morvanta::store
