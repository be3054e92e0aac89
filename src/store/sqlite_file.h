#pragma once
// A plain SQLite file that is no vocabulary table: another program's database
// read as it stands, or a new file built for another program. No engine
// bounds, no table rules; errors are EngineError with a German context.

#include <filesystem>
#include <memory>
#include <string_view>

#include "store/engine_error.h"
#include "store/statement.h"

struct sqlite3;

namespace morvanta::store {

// The file opened for reading holds other bytes than an SQLite database.
class NotSqliteFile : public EngineError {
public:
    using EngineError::EngineError;
};

class SqliteFile {
public:
    // Read only and as an unchanging file (no journal or lock files beside it).
    // The collation "unicase" is known (case-insensitive for ASCII letters, other
    // characters by their bytes): other programs declare it on their columns.
    // Throws EngineError, NotSqliteFile when the file is no SQLite database.
    static SqliteFile openReadOnly(const std::filesystem::path& file);
    // A new database file (an existing one is opened as it is) for writing; it
    // knows "unicase" as well.
    static SqliteFile create(const std::filesystem::path& file);

    SqliteFile(SqliteFile&&) noexcept;
    SqliteFile& operator=(SqliteFile&&) noexcept;
    ~SqliteFile();

    Statement prepare(std::string_view sql);
    // Runs one or several statements separated by semicolons.
    void exec(std::string_view sql);
    bool hasTable(std::string_view name);
    // Closes the connection now; a failure to close throws (a new file may then be incomplete).
    void close();

    sqlite3* handle() const { return db_.get(); }

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept;
    };
    SqliteFile(sqlite3* db, std::filesystem::path file);

    std::unique_ptr<sqlite3, Closer> db_;
    std::filesystem::path file_;
};

}  // namespace morvanta::store
