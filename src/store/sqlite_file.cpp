#include "store/sqlite_file.h"

#include <sqlite3.h>

#include <string>

#include "store/engine_error.h"

namespace morvanta::store {

namespace {

unsigned char AsciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

int UnicaseCompare(void*, int leftSize, const void* left, int rightSize, const void* right) {
    const auto* l = static_cast<const unsigned char*>(left);
    const auto* r = static_cast<const unsigned char*>(right);
    const int n = leftSize < rightSize ? leftSize : rightSize;
    for (int i = 0; i < n; ++i) {
        const unsigned char a = AsciiLower(l[i]), b = AsciiLower(r[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    return leftSize == rightSize ? 0 : (leftSize < rightSize ? -1 : 1);
}

// "file:" URI of a path: everything but unreserved characters and '/' percent-encoded.
std::string FileUri(const std::filesystem::path& file) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const unsigned char c : file.generic_string()) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '.' || c == '_' ||
                           c == '~';
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

}  // namespace

void SqliteFile::Closer::operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }

SqliteFile::SqliteFile(sqlite3* db, std::filesystem::path file) : db_(db), file_(std::move(file)) {}
SqliteFile::SqliteFile(SqliteFile&&) noexcept = default;
SqliteFile& SqliteFile::operator=(SqliteFile&&) noexcept = default;
SqliteFile::~SqliteFile() = default;

SqliteFile SqliteFile::openReadOnly(const std::filesystem::path& file) {
    const std::string context =
        "Die Datei " + QuotedPath(file) + " konnte nicht als SQLite-Datenbank gelesen werden.";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw EngineError("Die Datei " + QuotedPath(file) + " gibt es nicht.", SQLITE_CANTOPEN);
    sqlite3* raw = nullptr;
    const std::string uri = FileUri(file) + "?immutable=1";
    const int rc = sqlite3_open_v2(
        uri.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteFile opened(raw, file);  // closed even when the open failed
    if (rc != SQLITE_OK) ThrowSqliteError(raw, rc, context);
    const int crc =
        sqlite3_create_collation_v2(raw, "unicase", SQLITE_UTF8, nullptr, UnicaseCompare, nullptr);
    if (crc != SQLITE_OK) ThrowSqliteError(raw, crc, context);
    // The header is read only now: a file of other bytes is refused here.
    try {
        Statement probe(raw, "SELECT count(*) FROM sqlite_master");
        probe.step();
    } catch (const EngineError& e) {
        if ((e.code() & 0xff) == SQLITE_NOTADB)
            throw NotSqliteFile("Die Datei " + QuotedPath(file) + " ist keine SQLite-Datenbank.",
                                e.code());
        throw EngineError(context + ' ' + e.what(), e.code());
    }
    return opened;
}

SqliteFile SqliteFile::create(const std::filesystem::path& file) {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(file.c_str(), &raw,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteFile created(raw, file);
    const std::string context = "Die Datei " + QuotedPath(file) + " konnte nicht angelegt werden.";
    if (rc != SQLITE_OK) ThrowSqliteError(raw, rc, context);
    const int crc =
        sqlite3_create_collation_v2(raw, "unicase", SQLITE_UTF8, nullptr, UnicaseCompare, nullptr);
    if (crc != SQLITE_OK) ThrowSqliteError(raw, crc, context);
    return created;
}

Statement SqliteFile::prepare(std::string_view sql) { return Statement(db_.get(), sql); }

void SqliteFile::exec(std::string_view sql) {
    const std::string text(sql);
    const int rc = sqlite3_exec(db_.get(), text.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        ThrowSqliteError(db_.get(), rc,
                         "In der Datei " + QuotedPath(file_) + " ist ein Schritt fehlgeschlagen.");
}

bool SqliteFile::hasTable(std::string_view name) {
    Statement find(db_.get(), "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
    find.bindText(1, name);
    return find.step();
}

void SqliteFile::close() {
    if (!db_) return;
    const int rc = sqlite3_close(db_.get());
    if (rc != SQLITE_OK)
        ThrowSqliteError(db_.get(), rc,
                         "Die Datei " + QuotedPath(file_) + " konnte nicht geschlossen werden.");
    db_.release();
}

}  // namespace morvanta::store
