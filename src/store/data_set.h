#pragma once
// Data sets over the vocabulary table: the table itself (Table) and SQL
// queries (Query). They share one connection per alias, so an edit made
// through one data set is seen by every other at once.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/change_review.h"
#include "store/engine_error.h"
#include "store/statement_guard.h"
#include "store/vocabulary.h"

namespace morvanta::store {

class Database;
class Session;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// What a data-change notification reports.
enum class DataEvent {
    Opened,        // the data set opened
    Closed,        // the data set closed
    Scrolled,      // the current record moved
    FieldChanged,  // a field of the edit buffer changed
    StateChanged,  // edit, insert, post or cancel
    DataChanged,   // the records changed (insert, delete, post, refresh)
    UpdateRecord,  // bound widgets: write pending input into the edit buffer now
};

// The listeners of a data set or data source, by token.
class DataListeners {
public:
    using Listener = std::function<void(DataEvent)>;
    int subscribe(Listener listener);
    void unsubscribe(int token) { listeners_.erase(token); }
    // A listener may subscribe or unsubscribe while being told.
    void notify(DataEvent event);

private:
    std::map<int, Listener> listeners_;
    int nextToken_ = 1;
};

class DataSet {
public:
    using Event = std::function<void(DataSet&)>;
    using Listener = DataListeners::Listener;

    DataSet(Session& session, std::string alias);
    virtual ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    // --- life cycle; open() runs afterOpen, failures throw EngineError
    virtual void open() = 0;
    void close();
    bool active() const { return state_ != DataSetState::Inactive; }
    DataSetState state() const { return state_; }
    // false for results that are not a plain selection from the table
    bool canModify() const { return live_; }
    // The table file can take writes: not opened read-only (damaged, write-protected).
    bool fileWritable() const;

    // --- navigation (a pending edit is posted first)
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    int recNo() const;  // 1-based; 0 when empty or inactive
    void setRecNo(int recNo);
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    // The table row behind a record number of a live result (-1 for none), so a
    // word can be found again after the result changed.
    std::int64_t rowIdAt(int recNo) const;
    void refresh();

    // --- fields of the current record (the edit buffer while editing)
    Value value(std::string_view field) const;
    bool isNull(std::string_view field) const;
    // Text forms: decimal integers, "True"/"False", German date and time.
    std::string asString(std::string_view field) const;
    std::int64_t asInteger(std::string_view field) const;  // throws when empty or not a number
    DateTime asDateTime(std::string_view field) const;      // throws when empty
    bool asBoolean(std::string_view field) const;

    // --- changes
    void edit();                                                // runs afterEdit
    void setValue(std::string_view field, const Value& value);  // in edit/insert state
    void setAsString(std::string_view field, const std::string& text);  // throws when it does not read
    void post();    // on failure throws and stays in edit state
    // Posts and, in the same transaction, lets `alongside` write what belongs to the
    // change (an answer's history row): both are stored or neither.
    using AlongsideWrite = std::function<void(Database&, std::int64_t rowId)>;
    void post(const AlongsideWrite& alongside);
    // Writes what belongs to the current word without changing it (an answer asked
    // the other way round), in its own transaction, synced. Throws when the result
    // is read-only or the word is gone.
    void writeAlongside(const AlongsideWrite& write);
    void cancel();
    void deleteRecord();  // runs afterDelete
    // Enters insert state (runs afterInsert), sets the sixteen values and posts.
    // A refused insert is cancelled: back in browse state on the former record, then throws.
    void insertRecord(const Record& values);
    void flushBuffers();
    void saveToDisk();

    // --- events and listeners
    Event afterOpen, afterInsert, afterEdit, afterDelete;
    // Listeners of the data set itself are told of every change, also while the
    // controls are disabled.
    int subscribe(Listener listener) { return listeners_.subscribe(std::move(listener)); }
    void unsubscribe(int token) { listeners_.unsubscribe(token); }

    // --- bound controls: the data sources and the widgets behind them
    // Counted: while disabled, the data sources hear nothing of this data set.
    // The last enableControls() sends them one DataChanged (Closed when the data
    // set is no longer open), so every bound widget shows the then-current record.
    void disableControls() { ++controlsDisabled_; }
    void enableControls();

protected:
    enum class Change { Inserted, Posted, Deleted };

    // Subclasses fill rows_ (row ids in order) or fixed_ (a read-only result).
    void setRows(std::vector<std::int64_t> rowIds);
    void setFixedResult(std::vector<std::string> columns, std::vector<std::vector<Value>> rows);
    void becomeOpen();
    // After a write through this data set: place the written row and the cursor.
    virtual void reloadRowsAfterChange(Change change, std::int64_t rowId);
    // refresh(): re-read what the data set shows.
    virtual void reread() {}
    std::shared_ptr<Database> database();
    std::int64_t currentRowId() const;

    Session& session_;
    std::string alias_;
    bool live_ = true;
    std::vector<std::int64_t> rows_;
    int current_ = -1;  // 0-based index into rows_ (or fixedRows_)

private:
    friend class DataSource;
    friend class RecordReader;
    friend class BulkInsert;
    void notify(DataEvent event) {
        listeners_.notify(event);
        if (controlsDisabled_ == 0) sources_.notify(event);
    }
    void requireActive() const;
    void requireEditing() const;
    void checkBrowseMode();  // posts a pending edit
    void moveTo(int index);
    void loadCurrent() const;
    int fieldIndexOf(std::string_view field) const;  // field or column index; throws
    FieldKind kindOf(int index) const;
    std::int64_t writeBuffer(const AlongsideWrite& alongside);  // stores the edit buffer (insert or update); the row id
    void leaveEditing(DataSetState next);

    DataSetState state_ = DataSetState::Inactive;
    std::shared_ptr<Database> db_;
    std::vector<std::string> fixedColumns_;
    std::vector<std::vector<Value>> fixedRows_;
    bool eof_ = true, bof_ = true;
    Record buffer_;
    bool inserting_ = false;
    int beforeInsert_ = -1;
    mutable std::int64_t cachedRow_ = -1;
    mutable std::uint64_t cachedGeneration_ = 0;
    mutable Record cache_;
    DataListeners listeners_;
    DataListeners sources_;  // the data sources bound to this data set
    int controlsDisabled_ = 0;
    // Lets a data source outliving this data set notice that it is gone.
    std::shared_ptr<char> alive_ = std::make_shared<char>();
};

// The whole vocabulary table in key order.
class Table : public DataSet {
public:
    Table(Session& session, std::string alias, std::string tableName);
    void open() override;

protected:
    void reloadRowsAfterChange(Change change, std::int64_t rowId) override;
    void reread() override;

private:
    std::vector<std::int64_t> readKeyOrder();
    int keyPosition(std::int64_t rowId);  // where the row belongs in rows_
    std::string tableName_;
};

// What carrying out a statement did.
struct ExecResult {
    StatementKind kind = StatementKind::Select;
    ChangeCounts counts;                 // what it did to the words
    bool declined = false;               // the learner said no: nothing changed
    std::filesystem::path copyBefore;    // the table as it was, copied before the change was kept
};

// An SQL statement in the engine's dialect. A plain "SELECT * FROM Vokabel ..."
// (also with a table alias) gives a live result (editable, values read from the
// table); any other selection gives a read-only result held in memory.
// The learner's statements may read the table and change its words, nothing else.
struct TranslatedSql;

class Query : public DataSet {
public:
    // Asked before a change of words is kept, with what it did; false takes it back.
    using ConfirmChange = std::function<bool(const ChangeCounts& counts)>;

    Query(Session& session, std::string alias);
    void setSql(std::vector<std::string> lines);
    const std::vector<std::string>& sql() const { return sql_; }
    void clearSql() { sql_.clear(); }
    void addSqlLine(std::string line) { sql_.push_back(std::move(line)); }
    std::string sqlText() const;  // lines joined by '\n'

    // Carries out a statement that changes words; a selection is only checked. What
    // the statement did is compared with the words before: a value a field cannot
    // hold or a lost Hepburn or first translation is refused; otherwise confirm is
    // asked, and after its yes the table is copied to the backup folder
    // (Vokabel-vor-SQL-<date>-<time>.DB) before the change is kept.
    ExecResult execSql(const ConfirmChange& confirm = {});
    // Opens the selection as a result set; a statement that is no selection throws.
    void open() override;

    // Makes lines the statement, executes it once and opens the result. A statement
    // that changes words takes effect, and the query opens its former selection
    // again. When the learner cancels a long statement, or it is refused, the query
    // stays as it was; after any other failure it is closed with the new lines.
    ExecResult run(std::vector<std::string> lines, const ConfirmChange& confirm = {});

    // A query the quiz works on: its selections must be whole words of the table
    // ("SELECT * FROM Vokabel", with WHERE and ORDER BY as the learner likes), which
    // it can show and book; any other selection is refused.
    void setWordsOnly(bool wordsOnly) { wordsOnly_ = wordsOnly; }

    // Throws unless text is one selection that only reads the vocabulary table
    // (outside input such as a saved quiz must never change anything).
    void requireSelection(const std::string& text);

protected:
    void reread() override;

private:
    struct Result {
        bool live = true;
        std::vector<std::int64_t> rows;
        std::vector<std::string> columns;
        std::vector<std::vector<Value>> fixedRows;
    };
    Result load();
    // Refuses a selection other than whole words when the query is words only.
    void requireWords(const TranslatedSql& translated) const;
    Result loadLive(const std::string& alias, const std::string& where, const std::string& orderBy);
    Result loadFixed(const std::string& sql, bool singleTable, const std::string& alias);
    void install(Result result);
    std::vector<std::string> sql_;
    bool wordsOnly_ = false;
};

// Points widgets at one data set at a time and forwards its notifications.
class DataSource {
public:
    using Listener = DataListeners::Listener;
    DataSource() = default;
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    DataSet* dataSet() const { return dataSet_; }
    void setDataSet(DataSet* dataSet);  // notifies listeners with Opened
    int subscribe(Listener listener) { return listeners_.subscribe(std::move(listener)); }
    void unsubscribe(int token) { listeners_.unsubscribe(token); }
    // Asks every bound widget to write its pending input into the record (before a post).
    void updateRecord() { forward(DataEvent::UpdateRecord); }

private:
    void forward(DataEvent event) { listeners_.notify(event); }
    void detach();
    DataSet* dataSet_ = nullptr;
    std::weak_ptr<char> alive_;
    int token_ = 0;
    DataListeners listeners_;
};

// Bound widgets keep showing what they show while a walk moves the data set,
// and show its current record once the scope ends, whatever ended it.
class ControlsDisabled {
public:
    explicit ControlsDisabled(DataSet& dataSet) : dataSet_(dataSet) { dataSet_.disableControls(); }
    ~ControlsDisabled();
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    DataSet& dataSet_;
};

}  // namespace morvanta::store
