#pragma once
// One connection to a table file: opened read-write only (never created by
// opening), the key collation and LIKE registered, WAL journal.

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "store/statement.h"

namespace morvanta::store {

class Database {
public:
    // Opens an existing table file; throws EngineError when the folder or file is
    // missing, the file is no SQLite database, is damaged, or comes from a newer version.
    static std::shared_ptr<Database> open(const std::filesystem::path& file);
    // Creates a new, empty table file; false when the file already exists (untouched).
    static bool create(const std::filesystem::path& file);

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return db_.get(); }
    const std::filesystem::path& file() const { return file_; }

    void exec(std::string_view sql);
    Statement prepare(std::string_view sql) const { return Statement(db_.get(), sql); }
    // A statement kept for reuse (reset before it is handed out).
    Statement& cached(const std::string& sql);

    // Counts writes on this connection, so readers know when a cached row is stale.
    std::uint64_t generation() const { return generation_; }
    void bumpGeneration() { ++generation_; }

    // Makes sure committed changes are in the file; throws when the file is gone.
    void flush();
    // Bulk writes: between these, flush() leaves out the sync (a committed record
    // is already safe from a crash of the program); the last end syncs once.
    void beginSyncBatch() { ++syncBatchDepth_; }
    void endSyncBatch();

private:
    Database() = default;
    struct Closer {
        void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    };
    static std::unique_ptr<sqlite3, Closer> openHandle(const std::filesystem::path& file, int flags);
    void configure();
    void checkSchema();

    std::unique_ptr<sqlite3, Closer> db_;
    std::filesystem::path file_;
    std::uint64_t generation_ = 1;
    int syncBatchDepth_ = 0;
    std::int64_t syncedChanges_ = -1;  // total changes at the last sync
    std::map<std::string, std::unique_ptr<Statement>> cache_;
};

// A transaction that rolls back in its destructor unless committed.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& db_;
    bool done_ = false;
};

}  // namespace morvanta::store
