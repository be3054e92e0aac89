// The SQL dialect translator on any text. What it gives must be one statement
// SQLite can take or refuse cleanly, and a plain selection split into its
// condition and order must select the same rows as the whole statement does.
#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "store/database.h"
#include "store/engine_error.h"
#include "store/schema.h"
#include "store/sql_dialect.h"

using namespace morvanta;

namespace {

// A table file with a few varied words, made once per run.
std::filesystem::path FuzzFolder() {
    return std::filesystem::temp_directory_path() / ("morvanta-sql-fuzz-" + std::to_string(::getpid()));
}

std::shared_ptr<store::Database> FuzzTable() {
    static std::shared_ptr<store::Database> db = [] {
        const auto dir = FuzzFolder();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(FuzzFolder(), ec);
        });
        std::filesystem::create_directories(dir);
        const auto file = dir / "Vokabel.DB";
        std::filesystem::remove(file);
        store::Database::create(file);
        auto opened = store::Database::open(file);
        opened->exec(
            "INSERT INTO Vokabel (Translation1, Translation2, Hepburn, Note, DateEntered, DateAsked, "
            "NumberAsked, NumberWrong, Marked, Type, Lesson) VALUES "
            "('Haus', 'Heim', 'ie', 'n', '2007-01-01 00:00:00.000', NULL, 3, 1, 1, 'Meishi', 1),"
            "('essen', '', 'taberu', '', '2008-03-05 10:15:00.000', '2009-01-01 00:00:00.000', 0, 0, 0, "
            "'Doushi', 2),"
            "('Äpfel', 'x', 'ringo', 'Obst', '2010-10-10 10:10:10.000', NULL, 5, 5, 1, 'Meishi', 3)");
        // Nothing of a run may hang on a huge recursive statement.
        sqlite3_progress_handler(opened->handle(), 10000, [](void*) { return 1; }, nullptr);
        return opened;
    }();
    return db;
}

// Rows of a read-only single statement, or -1 when SQLite refuses or stops it.
long CountRows(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt, &tail) != SQLITE_OK ||
        stmt == nullptr) {
        sqlite3_finalize(stmt);
        return -1;
    }
    long rows = -1;
    if (sqlite3_stmt_readonly(stmt)) {
        rows = 0;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) ++rows;
        if (rc != SQLITE_DONE) rows = -1;
    }
    sqlite3_finalize(stmt);
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    store::TranslatedSql t;
    try {
        t = store::TranslateSql(input);
    } catch (const store::EngineError& e) {
        FUZZ_CHECK(*e.what() != '\0');
        return 0;
    }
    if (!t.plainSelect) return 0;

    // The live form the query opens with (see Query::loadLive).
    std::string live = "SELECT rowid FROM Vokabel";
    if (!t.alias.empty()) live += " AS " + t.alias;
    if (!t.where.empty()) live += "\nWHERE " + t.where;
    live += "\nORDER BY ";
    if (!t.orderBy.empty()) live += t.orderBy + ",\n";
    live += "rowid";  // the key order itself needs the order table; the count does not

    sqlite3* db = FuzzTable()->handle();
    const long whole = CountRows(db, t.sql);
    if (whole < 0) return 0;
    const long split = CountRows(db, live);
    if (split < 0) return 0;  // e.g. an ORDER BY term that only works with a SELECT *
    FUZZ_CHECK(whole == split);
    return 0;
}
