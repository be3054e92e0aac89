#pragma once
// One connection to a table file: opened read-write only (never created by
// opening), checked for damage, brought up to the current layout, WAL journal.

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "store/learner_bounds.h"
#include "store/statement.h"

struct sqlite3;

namespace morvanta::store {

class IntegrityCheck;

// Closes a connection, also one whose opening failed.
struct ConnectionCloser {
    void operator()(sqlite3* db) const noexcept;
};
using ConnectionHandle = std::unique_ptr<sqlite3, ConnectionCloser>;

class Database {
public:
    // Opens an existing table file; throws EngineError when the folder or file is
    // missing, the file is no SQLite database or no vocabulary table, or comes from
    // a newer version. A damaged file, or one that cannot be written, is opened
    // read-only; warning() then says why. The check for damage of a file that can
    // be written runs on its own connection beside the caller's work once started
    // (startCheck()); the first write starts it if need be and waits for its
    // verdict (awaitCheck()).
    ~Database();
    static std::shared_ptr<Database> open(const std::filesystem::path& file);
    // Creates a new, empty table file; false when the file already exists (untouched).
    static bool create(const std::filesystem::path& file);

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return db_.get(); }
    const std::filesystem::path& file() const { return file_; }
    bool readOnly() const { return readOnly_; }
    // The check for damage, or an operation, found the file damaged (it is then read-only).
    bool damaged() const { return damaged_; }
    // Damage was reported, but the file is sound on a new connection: another program
    // wrote it while this connection had it open. Read-only until the file is opened again.
    bool changedUnderneath() const { return changed_; }
    // What the learner should know about the opened file (German), or empty.
    const std::string& warning() const { return warning_; }
    // Starts the check for damage beside the caller's work, when one is due: once
    // the caller's own start is done, so that the check does not slow it.
    void startCheck();
    // The check for damage has not given its verdict yet.
    bool checkPending() const;
    // Waits for the check; a damaged file becomes read-only with its warning, an
    // order table out of step with the words (outside changes) is mended.
    void awaitCheck();
    // True once after the order was mended: data sets opened before must read again.
    bool takeOrderRepaired();

    void exec(std::string_view sql);
    // Rows changed by the last INSERT, UPDATE or DELETE on this connection.
    int changes() const;
    std::int64_t lastInsertRowId() const;
    Statement prepare(std::string_view sql) const { return Statement(db_.get(), sql); }
    // A statement kept for reuse (reset before it is handed out).
    Statement& cached(const std::string& sql);

    // Counts writes on this connection, so readers know when a cached row is stale.
    std::uint64_t generation() const { return generation_; }
    void bumpGeneration() { ++generation_; }

    // The words' ids in key order as a table has just read them. The quiz's selection
    // of the marked words, opened right after (at start-up, after a new word), takes
    // them instead of walking the order a second time: once, and only while no
    // connection has written since.
    void keepKeyOrder(const std::vector<std::int64_t>& rows);
    bool takeKeyOrder(std::vector<std::int64_t>& rows);

    // Throws before a write when the file can take none: opened read-only, gone, or
    // replaced by another file since it was opened (nothing may go into the wrong file).
    void requireWritable();
    // Throws when the file is gone or another file has taken its place.
    void requireSameFile() const;
    // SQLite reported damage on db: when db is a table's connection, the table judges
    // its file afresh. The German text to show instead of the damage, when the file
    // was only changed underneath the connection; else empty.
    static std::string JudgeReportedDamage(sqlite3* db);

    // Makes sure committed changes are in the file; throws when the file is gone.
    void flush();

    // Long statements: while one runs, the observer is asked every few hundredths
    // of a second whether it may go on; false interrupts it (EngineError::isCancelled).
    class LongWork {
    public:
        virtual ~LongWork() = default;
        virtual bool keepGoing(std::chrono::milliseconds elapsed) = 0;
        virtual void done() = 0;  // the watched work ended
    };
    void setLongWork(LongWork* observer) { longWork_ = observer; }
    // A watched statement is running (its observer may be showing a dialog): the
    // connection must not be used from anywhere else until it ends.
    bool busy() const { return watchDepth_ > 0; }
    // Runs work under the observer and within the learner's bounds (used for the
    // learner's statements and selections).
    template <typename Work>
    auto watched(Work&& work) -> decltype(work()) {
        Watch watch(*this);
        return work();
    }
    // Inside watched(): runs engine work on a helper thread while this thread asks
    // the observer every few hundredths of a second, so its dialog shows and its
    // "Abbrechen" is heard even while the engine is inside one long step. The work
    // must use nothing but the connection. Without an observer it runs here.
    template <typename Work>
    auto aside(Work&& work) -> decltype(work()) {
        using Result = decltype(work());
        if constexpr (std::is_void_v<Result>) {
            runAside([&] { work(); });
        } else {
            std::optional<Result> result;
            runAside([&] { result.emplace(work()); });
            return std::move(*result);
        }
    }

private:
    Database() = default;
    class Watch {
    public:
        explicit Watch(Database& db);
        ~Watch();
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;

    private:
        Database& db_;
    };
    static int askLongWork(void* database);
    void runAside(const std::function<void()>& work);
    static ConnectionHandle openHandle(const std::filesystem::path& file, int flags);
    // Read-write, or read-only with the warning why when the file or its folder
    // takes no writes.
    void connect();
    // At once (the file turns read-only when damaged), or left to startCheck().
    void checkForDamage(bool atOnce);
    // Journal mode, and the order's keys for words written by other tools.
    void prepareForWrites();
    void markDamaged(const std::string& damage);
    // Damage reported, or the file written in place by another program: damaged, or
    // changed underneath this connection when a new connection finds the file sound.
    void judgeAfresh();
    void markChanged();
    // Another program wrote the file in place: a file in WAL mode cannot leave it while
    // this connection holds it open, so a header saying otherwise is not ours.
    bool overwrittenInPlace();
    void setHandle(ConnectionHandle handle);
    void reopenReadOnly(bool immutable);
    void configure();
    // What has been written to the file: this connection's changes since it opened,
    // and the version that other connections' commits move on.
    std::pair<std::int64_t, std::int64_t> changeStamp();

    ConnectionHandle db_;
    std::filesystem::path file_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    bool readOnly_ = false;
    bool damaged_ = false;
    bool changed_ = false;
    bool wal_ = false;
    bool orderRepaired_ = false;
    bool checkNeeded_ = false;
    std::string warning_;
    std::uint64_t generation_ = 1;
    std::int64_t syncedChanges_ = -1;  // total changes at the last sync
    std::map<std::string, std::unique_ptr<Statement>> cache_;
    std::vector<std::int64_t> keyOrder_;
    std::pair<std::int64_t, std::int64_t> keyOrderStamp_{-1, -1};
    LongWork* longWork_ = nullptr;
    int watchDepth_ = 0;
    std::chrono::steady_clock::time_point watchStart_;
    std::unique_ptr<LearnerBounds> bounds_;
    std::atomic<bool> asideRunning_{false};
    std::atomic<bool> asideCancelled_{false};
    std::chrono::steady_clock::time_point lastAsked_;  // the observer's last question
    std::unique_ptr<IntegrityCheck> check_;  // last: stopped before the connection closes
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
