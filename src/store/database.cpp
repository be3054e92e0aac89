#include "store/database.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "store/backup.h"
#include "store/engine_error.h"
#include "store/integrity_check.h"
#include "store/key_order.h"
#include "store/learner_bounds.h"
#include "store/schema.h"
#include "store/sql_functions.h"
#include "store/system_reason.h"

namespace morvanta::store {

namespace fs = std::filesystem;

namespace {

fs::path FolderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

void RequireFolder(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_directory(FolderOf(file), ec))
        throw EngineError("Den Ordner " + QuotedPath(FolderOf(file)) + " gibt es nicht.");
}

// The table file's identity on disk; throws when there is no file to open.
struct stat StatTableFile(const fs::path& file) {
    RequireFolder(file);
    std::error_code ec;
    if (!fs::exists(file, ec))
        throw EngineError("Die Vokabeldatei " + QuotedPath(file) + " gibt es nicht.");
    if (fs::is_directory(file, ec))
        throw EngineError("Die Vokabeldatei " + QuotedPath(file) + " ist ein Ordner.");
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        throw EngineError(
            WithDetail("Die Vokabeldatei " + QuotedPath(file) + " kann nicht gelesen werden.",
                       SystemReason(errno)));
    return info;
}

// A file name as an SQLite URI ("file:" with the reserved characters escaped).
std::string FileUri(const fs::path& file, std::string_view query) {
    std::string uri = "file:";
    for (unsigned char c : fs::absolute(file).string()) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        } else {
            uri += static_cast<char>(c);
        }
    }
    uri += '?';
    uri += query;
    return uri;
}

// The tables' connections, so that damage SQLite reports on one reaches its table.
std::mutex& OwnersMutex() {
    static std::mutex mutex;
    return mutex;
}
std::map<sqlite3*, Database*>& Owners() {
    static std::map<sqlite3*, Database*> owners;
    return owners;
}

// Steps between two looks whether a long statement may go on: one step can take a
// tenth of a second (a blob of 15 MB), so they must be few; a look costs a clock
// read, and on aside()'s helper thread no more than reading two flags.
constexpr int kStepsPerQuestion = 10;
constexpr int kStepsAside = 1;
// How often the observer is asked: often enough for a dialog that repaints
// smoothly and a cancel that is heard at once.
constexpr auto kAskEvery = std::chrono::milliseconds(40);

}  // namespace

void ConnectionCloser::operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }

ConnectionHandle Database::openHandle(const fs::path& file, int flags) {
    sqlite3* raw = nullptr;
    // Each connection is used by one thread only: SQLite's own locking is not needed.
    int rc = sqlite3_open_v2(file.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    ConnectionHandle handle(raw);  // closed even when the open failed
    if (rc != SQLITE_OK)
        ThrowSqliteError(raw, rc,
                         "Die Vokabeldatei " + QuotedPath(file) + " kann nicht geöffnet werden.");
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, 5000);
    // Temporary tables and sorts in memory, where the learner's memory bound holds
    // them, never on the disk. Set before any temporary table: changing it drops them.
    sqlite3_exec(raw, "PRAGMA temp_store=MEMORY", nullptr, nullptr, nullptr);
    RegisterSqlFunctions(raw);
    return handle;
}

std::shared_ptr<Database> Database::open(const fs::path& file) {
    const struct stat info = StatTableFile(file);
    std::shared_ptr<Database> db(new Database);
    db->file_ = file;
    db->device_ = info.st_dev;
    db->inode_ = info.st_ino;
    db->connect();
    // Read before the first write: a foreign or damaged file must stay as it is.
    const LayoutPlan layout = LayoutPlan::Read(*db);
    // Nothing is written before the verdict: a file that cannot be written, or one
    // about to be brought up to date, is checked at once.
    db->checkForDamage(db->readOnly_ || layout.due());
    layout.carryOut(*db);
    if (!db->readOnly_) db->prepareForWrites();
    // What opening wrote (an upgrade, the order of outside changes) is committed;
    // it is synced with the next change.
    db->syncedChanges_ = sqlite3_total_changes64(db->db_.get());
    return db;
}

void Database::connect() {
    const bool folderWritable = ::access(FolderOf(file_).c_str(), W_OK) == 0;
    const bool fileWritable = ::access(file_.c_str(), W_OK) == 0;
    if (folderWritable && fileWritable) {
        setHandle(openHandle(file_, SQLITE_OPEN_READWRITE));
        return;
    }
    reopenReadOnly(!folderWritable);
    warning_ = folderWritable ? "Die Vokabeldatei " + QuotedPath(file_) + " ist schreibgeschützt."
                              : "Der Ordner " + QuotedPath(FolderOf(file_)) + " ist schreibgeschützt.";
    warning_ += " Die Vokabeln können angesehen und abgefragt, aber nicht geändert "
                "werden; neue Vokabeln und Abfrageergebnisse werden nicht gespeichert.";
}

void Database::checkForDamage(bool atOnce) {
    if (!atOnce) {
        checkNeeded_ = true;  // started by the caller, or by the first write
        return;
    }
    if (IntegrityCheck::Run(db_.get()).empty()) return;
    // Nothing uses the connection yet: one that cannot write at all takes its place.
    if (sqlite3_db_readonly(db_.get(), "main") == 0) reopenReadOnly(false);
    judgeAfresh();
}

void Database::prepareForWrites() {
    // Words added or changed by other tools get their place in the order; writing
    // them waits for the check. Asked before the first write, so a file this fails
    // on stays as it was.
    bool repair = false;
    try {
        repair = KeyOrderNeedsRepair(*this);
    } catch (const EngineError& e) {
        throw EngineError(UnusableFile(file_) + e.what(), e.code());
    }
    configure();
    if (!repair) return;
    awaitCheck();
    if (readOnly_) return;
    Transaction transaction(*this);
    RepairKeyOrder(*this, true);
    transaction.commit();
}

Database::~Database() {
    check_.reset();
    cache_.clear();
    std::lock_guard lock(OwnersMutex());
    Owners().erase(db_.get());
}

bool Database::checkPending() const { return checkNeeded_ && (!check_ || !check_->done()); }

void Database::startCheck() {
    if (checkNeeded_ && !check_) check_ = std::make_unique<IntegrityCheck>(file_);
}

void Database::awaitCheck() {
    if (!checkNeeded_) return;
    startCheck();
    checkNeeded_ = false;
    const std::string damage = check_->result();
    const bool orderInStep = check_->orderInStep();
    check_.reset();
    if (!damage.empty()) {
        judgeAfresh();
        return;
    }
    if (overwrittenInPlace()) judgeAfresh();
    if (!orderInStep && !readOnly_) {
        Transaction transaction(*this);
        RepairKeyOrder(*this, true);
        transaction.commit();
        bumpGeneration();
        orderRepaired_ = true;
    }
}

bool Database::takeOrderRepaired() { return std::exchange(orderRepaired_, false); }

void Database::markDamaged(const std::string& damage) {
    // A connection already in use stays (data sets hold statements on it) but takes no writes.
    if (!readOnly_) sqlite3_exec(db_.get(), "PRAGMA query_only=1", nullptr, nullptr, nullptr);
    readOnly_ = true;
    damaged_ = true;
    warning_ = "Die Vokabeldatei " + QuotedPath(file_) + " ist beschädigt (" + damage +
               "). Sie wurde nur zum Lesen geöffnet, damit nichts hineingeschrieben wird. "
               "Sicherungen der letzten Tage liegen im Ordner " +
               QuotedPath(BackupFolderOf(file_)) +
               ": Programm beenden, die Datei durch die neueste Sicherung ersetzen "
               "(umbenannt in Vokabel.DB) und das Programm neu starten.";
}

void Database::judgeAfresh() {
    if (damaged_ || changed_) return;
    std::string damage;
    try {
        ConnectionHandle fresh = openHandle(file_, SQLITE_OPEN_READONLY);
        damage = IntegrityCheck::Run(fresh.get());
    } catch (const EngineError& e) {
        damage = e.what();
    }
    if (damage.empty())
        markChanged();
    else
        markDamaged(damage);
}

void Database::markChanged() {
    // What this connection holds no longer fits the file: it writes nothing more, not
    // even its log when it closes.
    if (!readOnly_) {
        sqlite3_exec(db_.get(), "PRAGMA query_only=1", nullptr, nullptr, nullptr);
        sqlite3_db_config(db_.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    }
    readOnly_ = true;
    changed_ = true;
    warning_ = "Die Vokabeldatei " + QuotedPath(file_) +
               " wurde von einem anderen Programm geändert oder ersetzt, während Morvanta sie "
               "geöffnet hatte. Die Datei selbst ist in Ordnung: Eine Sicherung muss nicht "
               "zurückgespielt werden. Damit nichts in die geänderte Datei geschrieben wird, "
               "werden bis zum erneuten Öffnen keine Änderungen gespeichert: Bitte Morvanta neu "
               "starten bzw. den Befehl erneut ausführen.";
}

bool Database::overwrittenInPlace() {
    if (!wal_ || readOnly_) return false;
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db_.get(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        file == nullptr || file->pMethods == nullptr)
        return false;
    // Read through SQLite's own descriptor: closing one of ours would drop its locks.
    unsigned char header[20] = {};
    const int rc = file->pMethods->xRead(file, header, sizeof header, 0);
    if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ) return false;
    return std::memcmp(header, "SQLite format 3", 16) != 0 || header[18] != 2 || header[19] != 2;
}

std::string Database::JudgeReportedDamage(sqlite3* db) {
    Database* owner = nullptr;
    {
        std::lock_guard lock(OwnersMutex());
        const auto it = Owners().find(db);
        if (it != Owners().end()) owner = it->second;
    }
    // Only this thread uses the connection now, so its table is judged here.
    if (owner == nullptr) return {};
    owner->judgeAfresh();
    return owner->changed_ ? owner->warning_ : std::string();
}

void Database::setHandle(ConnectionHandle handle) {
    {
        std::lock_guard lock(OwnersMutex());
        Owners().erase(db_.get());
        if (handle) Owners()[handle.get()] = this;
    }
    db_ = std::move(handle);
}

void Database::reopenReadOnly(bool immutable) {
    setHandle(nullptr);
    // A folder that takes no files cannot hold the log's index either: the file is
    // then read as it stands.
    if (immutable)
        setHandle(openHandle(FileUri(file_, "immutable=1"), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI));
    else
        setHandle(openHandle(file_, SQLITE_OPEN_READONLY));
    readOnly_ = true;
}

void Database::configure() {
    // WAL: readers never block the writer, and a commit is a single append.
    // synchronous=NORMAL: a committed record is in the WAL file, so it survives a
    // crash or kill of the program; only a power failure could take the last
    // commits back (never the file's consistency). flush() closes that gap by
    // syncing with a checkpoint, and the program calls it after each change.
    // FULL would sync every commit (about 5 ms each), making bulk imports slow.
    Statement journal(db_.get(), "PRAGMA journal_mode=WAL");
    wal_ = journal.step() && journal.columnText(0) == "wal";
    exec("PRAGMA synchronous=NORMAL");
}

bool Database::create(const fs::path& file) {
    RequireFolder(file);
    int fd = ::open(file.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        throw EngineError(
            WithDetail("Die Vokabeldatei " + QuotedPath(file) + " kann nicht angelegt werden.",
                       SystemReason(errno)));
    }
    ::close(fd);
    try {
        Database db;
        db.file_ = file;
        struct stat info {};
        if (::stat(file.c_str(), &info) == 0) {
            db.device_ = info.st_dev;
            db.inode_ = info.st_ino;
        }
        db.db_ = openHandle(file, SQLITE_OPEN_READWRITE);
        db.exec("PRAGMA journal_mode=WAL");
        Transaction transaction(db);
        MakeLayout(db);
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
    // The connection keeps the failure's message for the error.
    const int rc = sqlite3_exec(db_.get(), text.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) ThrowSqliteError(db_.get(), rc);
}

int Database::changes() const { return sqlite3_changes(db_.get()); }

std::int64_t Database::lastInsertRowId() const { return sqlite3_last_insert_rowid(db_.get()); }

std::pair<std::int64_t, std::int64_t> Database::changeStamp() {
    Statement& version = cached("PRAGMA data_version");
    const std::int64_t others = version.step() ? version.columnInt(0) : -1;
    version.reset();
    return {sqlite3_total_changes64(db_.get()), others};
}

void Database::keepKeyOrder(const std::vector<std::int64_t>& rows) {
    keyOrder_ = rows;
    keyOrderStamp_ = changeStamp();
}

bool Database::takeKeyOrder(std::vector<std::int64_t>& rows) {
    const bool current = keyOrderStamp_.first >= 0 && changeStamp() == keyOrderStamp_;
    if (current) rows = std::move(keyOrder_);
    keyOrder_ = {};
    keyOrderStamp_ = {-1, -1};
    return current;
}

Statement& Database::cached(const std::string& sql) {
    auto it = cache_.find(sql);
    if (it == cache_.end())
        it = cache_.emplace(sql, std::make_unique<Statement>(db_.get(), sql)).first;
    it->second->reset();
    return *it->second;
}

void Database::requireWritable() {
    awaitCheck();
    if (overwrittenInPlace()) judgeAfresh();
    if (readOnly_)
        throw EngineError(warning_.empty() ? "Die Vokabeldatei ist nur zum Lesen geöffnet." : warning_,
                          SQLITE_READONLY);
    requireSameFile();
}

void Database::requireSameFile() const {
    struct stat info {};
    if (::stat(file_.c_str(), &info) != 0)
        throw EngineError("Die Vokabeldatei " + QuotedPath(file_) +
                          " ist verschwunden: Die Änderung wurde nicht gespeichert.");
    if (info.st_dev != device_ || info.st_ino != inode_)
        throw EngineError("Die Vokabeldatei " + QuotedPath(file_) +
                          " wurde durch eine andere Datei ersetzt, während das Programm lief. "
                          "Damit nichts in die falsche Datei geschrieben wird, wurde die Änderung "
                          "nicht gespeichert. Bitte das Programm neu starten.");
}

void Database::flush() {
    requireSameFile();
    // Nothing written since the last sync: browsing saves on every record change,
    // and a checkpoint costs several disk syncs.
    const sqlite3_int64 changes = sqlite3_total_changes64(db_.get());
    if (changes == syncedChanges_) return;
    int rc = sqlite3_db_cacheflush(db_.get());
    requireWritable();
    // The checkpoint syncs the log and the table file: what is committed is now safe
    // even from a power failure. The emptied log cannot be replayed onto another file
    // should this one be replaced. Busy (another reader) is no failure.
    if (rc == SQLITE_OK)
        rc = sqlite3_wal_checkpoint_v2(db_.get(), nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    if (rc != SQLITE_OK && rc != SQLITE_BUSY)
        ThrowSqliteError(db_.get(), rc, "Die Vokabeldatei konnte nicht gespeichert werden.");
    if (rc == SQLITE_OK) syncedChanges_ = changes;
}

int Database::askLongWork(void* database) {
    auto& db = *static_cast<Database*>(database);
    // On the helper thread of aside(): the observer is asked by the waiting thread.
    if (db.asideRunning_.load()) return db.asideCancelled_.load() ? 1 : 0;
    const auto now = std::chrono::steady_clock::now();
    if (now - db.lastAsked_ < kAskEvery) return 0;
    db.lastAsked_ = now;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - db.watchStart_);
    return db.longWork_->keepGoing(elapsed) ? 0 : 1;
}

void Database::runAside(const std::function<void()>& work) {
    if (watchDepth_ == 0 || longWork_ == nullptr || asideRunning_.load()) {
        work();
        return;
    }
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
    std::exception_ptr failure;
    asideCancelled_ = false;
    asideRunning_ = true;
    sqlite3_progress_handler(db_.get(), kStepsAside, askLongWork, this);
    std::thread helper([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(mutex);
        finished = true;
        ended.notify_one();
    });
    // Once the observer said stop it is not asked again: its dialog is gone, and
    // nothing else may reach the connection until the helper has returned.
    std::exception_ptr observerFailure;
    std::unique_lock lock(mutex);
    while (!ended.wait_for(lock, kAskEvery, [&] { return finished; })) {
        if (asideCancelled_.load()) continue;
        lock.unlock();
        bool goOn = false;
        try {
            goOn = longWork_->keepGoing(std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - watchStart_));
        } catch (...) {
            observerFailure = std::current_exception();
        }
        if (!goOn) asideCancelled_ = true;
        lock.lock();
    }
    lock.unlock();
    helper.join();
    asideRunning_ = false;
    sqlite3_progress_handler(db_.get(), kStepsPerQuestion, askLongWork, this);
    if (observerFailure) std::rethrow_exception(observerFailure);
    if (failure) std::rethrow_exception(failure);
}

Database::Watch::Watch(Database& db) : db_(db) {
    if (db_.watchDepth_++ != 0) return;
    db_.bounds_ = std::make_unique<LearnerBounds>(db_.db_.get());
    if (db_.longWork_ == nullptr) return;
    db_.watchStart_ = std::chrono::steady_clock::now();
    db_.lastAsked_ = db_.watchStart_;
    sqlite3_progress_handler(db_.db_.get(), kStepsPerQuestion, askLongWork, &db_);
}

Database::Watch::~Watch() {
    if (--db_.watchDepth_ != 0) return;
    db_.bounds_.reset();
    if (db_.longWork_ == nullptr) return;
    sqlite3_progress_handler(db_.db_.get(), 0, nullptr, nullptr);
    db_.longWork_->done();
}

Transaction::Transaction(Database& db) : db_(db) {
    db_.requireWritable();
    db_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}

}  // namespace morvanta::store
