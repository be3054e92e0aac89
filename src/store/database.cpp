#include "store/database.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "store/engine_error.h"
#include "store/schema.h"
#include "store/sql_functions.h"
#include "store/vocabulary.h"

namespace morvanta::store {

namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& p) {
    std::string text = "'";
    text += p.string();
    text += '\'';
    return text;
}

void RequireFolder(const fs::path& file) {
    fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        throw EngineError("The folder " + Quoted(folder) + " does not exist.");
}

}  // namespace

std::unique_ptr<sqlite3, Database::Closer> Database::openHandle(const fs::path& file, int flags) {
    sqlite3* raw = nullptr;
    // Each connection is used by one thread only: SQLite's own locking is not needed.
    int rc = sqlite3_open_v2(file.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<sqlite3, Closer> handle(raw);  // closed even when the open failed
    if (rc != SQLITE_OK) ThrowSqliteError(raw, rc, "Cannot open the table file " + Quoted(file));
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, 5000);
    RegisterSqlFunctions(raw);
    return handle;
}

std::shared_ptr<Database> Database::open(const fs::path& file) {
    RequireFolder(file);
    std::error_code ec;
    if (!fs::exists(file, ec))
        throw EngineError("The table file " + Quoted(file) + " does not exist.");
    if (fs::is_directory(file, ec))
        throw EngineError("The table file " + Quoted(file) + " is a folder.");
    std::shared_ptr<Database> db(new Database);
    db->file_ = file;
    db->db_ = openHandle(file, SQLITE_OPEN_READWRITE);
    // Check before the first write: a foreign or damaged file must stay as it is.
    db->checkSchema();
    db->configure();
    return db;
}

void Database::checkSchema() {
    std::string context = "The file " + Quoted(file_) + " is no usable vocabulary table";
    try {
        Statement version(db_.get(), "PRAGMA user_version");
        version.step();
        std::int64_t found = version.columnInt(0);
        if (found > kSchemaVersion)
            throw EngineError("The table file " + Quoted(file_) + " was written by a newer version (" +
                              std::to_string(found) + ") of this program.");
        Statement columns(db_.get(), "PRAGMA table_info(Vokabel)");
        size_t index = 0;
        const auto& fields = VocabularyFields();
        while (columns.step()) {
            if (index >= fields.size() || columns.columnText(1) != fields[index].name)
                throw EngineError(context + ": the table Vokabel has unexpected fields.");
            ++index;
        }
        if (index != fields.size())
            throw EngineError(context + (index == 0 ? ": it holds no table Vokabel."
                                                    : ": the table Vokabel lacks fields."));
    } catch (const EngineError& e) {
        if (e.code() == 0) throw;
        throw EngineError(context + " (" + e.what() + ").", e.code());
    }
}

void Database::configure() {
    // WAL: readers never block the writer, and a commit is a single append.
    // synchronous=NORMAL: a committed record is in the WAL file, so it survives a
    // crash or kill of the program; only a power failure could take the last
    // commits back (never the file's consistency). flush() closes that gap by
    // syncing with a checkpoint, and the program calls it after each change.
    // FULL would sync every commit (about 5 ms each), making bulk imports slow.
    Statement journal(db_.get(), "PRAGMA journal_mode=WAL");
    journal.step();
    exec("PRAGMA synchronous=NORMAL");
}

bool Database::create(const fs::path& file) {
    RequireFolder(file);
    int fd = ::open(file.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        throw EngineError("Cannot create the table file " + Quoted(file) + ": " +
                          std::strerror(errno));
    }
    ::close(fd);
    try {
        Database db;
        db.file_ = file;
        db.db_ = openHandle(file, SQLITE_OPEN_READWRITE);
        db.exec("PRAGMA journal_mode=WAL");
        Transaction transaction(db);
        db.exec(SchemaSql());
        db.exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
        transaction.commit();
    } catch (...) {
        // Only what this call made is removed.
        std::error_code ec;
        fs::remove(file, ec);
        fs::remove(file.string() + "-wal", ec);
        fs::remove(file.string() + "-shm", ec);
        throw;
    }
    return true;
}

void Database::exec(std::string_view sql) {
    std::string text(sql);
    char* message = nullptr;
    int rc = sqlite3_exec(db_.get(), text.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::string what = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        throw EngineError(what, sqlite3_extended_errcode(db_.get()));
    }
}

Statement& Database::cached(const std::string& sql) {
    auto it = cache_.find(sql);
    if (it == cache_.end())
        it = cache_.emplace(sql, std::make_unique<Statement>(db_.get(), sql)).first;
    it->second->reset();
    return *it->second;
}

void Database::flush() {
    std::error_code ec;
    if (!fs::exists(file_, ec))
        throw EngineError("The table file " + Quoted(file_) + " is missing.");
    int rc = sqlite3_db_cacheflush(db_.get());
    if (rc == SQLITE_OK && syncBatchDepth_ > 0) return;
    // Nothing written since the last sync: browsing saves on every record change,
    // and a checkpoint costs several disk syncs.
    const sqlite3_int64 changes = sqlite3_total_changes64(db_.get());
    if (rc == SQLITE_OK && changes == syncedChanges_) return;
    // The checkpoint syncs the WAL and the table file: what is committed is now safe
    // even from a power failure. Busy (another reader) is no failure.
    if (rc == SQLITE_OK)
        rc = sqlite3_wal_checkpoint_v2(db_.get(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    if (rc != SQLITE_OK && rc != SQLITE_BUSY) ThrowSqliteError(db_.get(), rc, "Cannot save the table");
    if (rc == SQLITE_OK) syncedChanges_ = changes;
}

void Database::endSyncBatch() {
    if (syncBatchDepth_ > 0 && --syncBatchDepth_ == 0) flush();
}

Transaction::Transaction(Database& db) : db_(db) { db_.exec("BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
    if (!done_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}

}  // namespace morvanta::store
