#pragma once
// A prepared SQLite statement owned by a unique_ptr; errors become EngineError.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace morvanta::store {

class Statement {
public:
    // Prepares exactly one statement; trailing text other than blanks is refused.
    Statement(sqlite3* db, std::string_view sql);

    void bindNull(int index);
    void bindInt(int index, std::int64_t value);
    void bindDouble(int index, double value);
    void bindText(int index, std::string_view text);
    void bindBlob(int index, std::string_view bytes);

    // One step: true while a row is there, false when done; throws on failure.
    bool step();
    void reset();
    void run();  // steps to the end

    int columnCount() const;
    int columnType(int column) const;
    bool columnIsNull(int column) const;
    std::string columnName(int column) const;
    std::int64_t columnInt(int column) const;
    double columnDouble(int column) const;
    std::string_view columnText(int column) const;
    bool readOnly() const;
    sqlite3_stmt* handle() const { return stmt_.get(); }

private:
    void check(int rc) const;
    struct Finalizer {
        void operator()(sqlite3_stmt* s) const noexcept;
    };
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> stmt_;
};

// What a learner can do about an engine failure, in German; empty when there is nothing to say.
std::string_view DiagnosisOf(int extendedCode);
// Throws EngineError with the extended code: the context (a German sentence saying
// what was being done) and the diagnosis lead, SQLite's own message follows in brackets.
[[noreturn]] void ThrowSqliteError(sqlite3* db, int rc, std::string_view context = {});

}  // namespace morvanta::store
