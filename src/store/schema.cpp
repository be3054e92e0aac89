#include "store/schema.h"

#include <sqlite3.h>

#include <cstdint>
#include <iterator>
#include <span>

#include "store/backup.h"
#include "store/database.h"
#include "store/engine_error.h"
#include "store/key_order.h"
#include "store/vocabulary.h"

namespace morvanta::store {

namespace {

// A table kept beside the words. The file's table and a stand-in in memory (for a
// file that cannot take it) are made from the same definition.
struct Column {
    std::string_view name, type;
};
struct Index {
    std::string_view name, terms;  // terms: what follows "ON <table>"
};
struct SideTable {
    std::string_view name;
    std::span<const Column> columns;
    std::span<const Index> indexes;
    std::string_view key = {};  // a primary key over several columns, e.g. "(A, B)"
};

// The table and its indexes in `schema`: "main" for the file, "temp" for a stand-in.
std::string CreateSql(const SideTable& table, std::string_view schema) {
    const std::string prefix = std::string(schema) + ".";
    std::string sql = "CREATE TABLE IF NOT EXISTS " + prefix + std::string(table.name) + " (";
    for (size_t i = 0; i < table.columns.size(); ++i)
        sql += (i ? ",\n    " : "\n    ") + std::string(table.columns[i].name) + " " +
               std::string(table.columns[i].type);
    if (!table.key.empty()) sql += ",\n    PRIMARY KEY " + std::string(table.key);
    sql += table.key.empty() ? "\n);\n" : "\n) WITHOUT ROWID;\n";
    for (const Index& index : table.indexes)
        sql += "CREATE INDEX IF NOT EXISTS " + prefix + std::string(index.name) + " ON " +
               std::string(table.name) + " " + std::string(index.terms) + ";\n";
    return sql;
}

bool TableExists(Database& db, std::string_view name) {
    Statement count = db.prepare("SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = ?1");
    count.bindText(1, name);
    count.step();
    return count.columnInt(0) != 0;
}

// ---- Version 1: the words ------------------------------------------------------

// Texts are NOT NULL DEFAULT '' so the uniqueness rule also holds for empty
// translations (NULLs would never collide). The rule compares binary. The indexes
// that gave this version its order (with kKeyCollation) are gone since version 2.
constexpr std::string_view kWordsTable = R"sql(
CREATE TABLE Vokabel (
    Translation1 TEXT NOT NULL DEFAULT '',
    Translation2 TEXT NOT NULL DEFAULT '',
    Translation3 TEXT NOT NULL DEFAULT '',
    Hepburn TEXT NOT NULL DEFAULT '',
    Kanji TEXT NOT NULL DEFAULT '',
    "Hira-Kata" TEXT NOT NULL DEFAULT '',
    Accent INTEGER,
    Note TEXT NOT NULL DEFAULT '',
    DateEntered TEXT,
    DateAsked TEXT,
    NumberAsked INTEGER,
    NumberWrong INTEGER,
    Marked INTEGER CHECK (Marked IN (0, 1)),
    Type TEXT NOT NULL DEFAULT '',
    CardPrinted INTEGER CHECK (CardPrinted IN (0, 1)),
    Lesson INTEGER,
    CONSTRAINT VokabelKey UNIQUE (Hepburn, Translation1, Translation2, Translation3)
);
)sql";

// Without the words there is nothing to bring up to date: such a file is refused.
bool WordsIntact(Database& db, int) {
    const std::string context = UnusableFile(db.file());
    Statement columns = db.prepare("PRAGMA table_info(Vokabel)");
    size_t index = 0;
    const auto& fields = VocabularyFields();
    while (columns.step()) {
        if (index >= fields.size() || columns.columnText(1) != fields[index].name)
            throw EngineError(context + "Die Tabelle Vokabel hat unerwartete Felder.");
        ++index;
    }
    if (index != fields.size())
        throw EngineError(context + (index == 0 ? "Sie enthält keine Tabelle Vokabel."
                                                : "Der Tabelle Vokabel fehlen Felder."));
    return true;
}

void MakeWords(Database& db) { db.exec(kWordsTable); }

// ---- Version 2: the key order --------------------------------------------------

// The browse order (case folded, umlauts with their base letter, ß as ss) is kept
// as a binary sort key beside the table, so the file needs no collation of ours
// and every SQLite tool can check, read and change it.
constexpr Column kOrderColumns[] = {
    {"WordId", "INTEGER PRIMARY KEY"},
    {"SortKey", "BLOB"},
    {"Marked", "INTEGER"},
};
constexpr Index kOrderIndexes[] = {
    {"VokabelOrderKey", "(SortKey)"},
    // The quiz's default selection (the marked words) in key order, read off one index.
    {"VokabelOrderMarked", "(SortKey) WHERE Marked = 1"},
};
constexpr SideTable kOrderTable{"VokabelOrder", kOrderColumns, kOrderIndexes};

// The triggers are plain SQL: whoever inserts or changes a key field leaves a NULL
// key behind, which the program fills in before it next reads the order.
struct Trigger {
    std::string_view name, body;  // body: what follows the name
};
constexpr Trigger kOrderTriggers[] = {
    {"VokabelOrderInsert", R"sql( AFTER INSERT ON Vokabel BEGIN
    INSERT OR REPLACE INTO VokabelOrder (WordId, SortKey, Marked) VALUES (new.rowid, NULL, new.Marked);
END)sql"},
    {"VokabelOrderUpdate", R"sql(
AFTER UPDATE OF Translation1, Translation2, Translation3, Hepburn ON Vokabel BEGIN
    UPDATE VokabelOrder SET SortKey = NULL WHERE WordId = new.rowid;
END)sql"},
    {"VokabelOrderMarkedUpdate", R"sql( AFTER UPDATE OF Marked ON Vokabel BEGIN
    UPDATE VokabelOrder SET Marked = new.Marked WHERE WordId = new.rowid;
END)sql"},
    {"VokabelOrderDelete", R"sql( AFTER DELETE ON Vokabel BEGIN
    DELETE FROM VokabelOrder WHERE WordId = old.rowid;
END)sql"},
};

// The order table and the triggers that keep it, as this program made them. Only
// derived from the words: a broken one is built anew like an old file's.
bool OrderIntact(Database& db, int fileVersion) {
    if (fileVersion < 2) return false;
    Statement columns = db.prepare("PRAGMA table_info(" + std::string(kOrderTable.name) + ")");
    size_t index = 0;
    while (columns.step()) {
        if (index >= kOrderTable.columns.size() || columns.columnText(1) != kOrderTable.columns[index].name)
            return false;
        ++index;
    }
    if (index != kOrderTable.columns.size()) return false;
    std::string names;
    for (const Trigger& trigger : kOrderTriggers)
        names += std::string(names.empty() ? "" : ", ") + "'" + std::string(trigger.name) + "'";
    Statement triggers =
        db.prepare("SELECT count(*) FROM sqlite_schema WHERE type = 'trigger' AND name IN (" + names + ")");
    triggers.step();
    return triggers.columnInt(0) == static_cast<std::int64_t>(std::size(kOrderTriggers));
}

void FillOrder(Database& db) {
    db.exec("INSERT INTO VokabelOrder (WordId, SortKey, Marked) SELECT rowid, NULL, Marked FROM Vokabel");
    RepairKeyOrder(db, false);
}

void BuildOrder(Database& db) {
    // Version 1 sorted with indexes of its own collation; whatever is left of an
    // order table goes too.
    std::string drop = "DROP INDEX IF EXISTS VokabelKeyOrder; DROP INDEX IF EXISTS VokabelMarkedKeyOrder;";
    for (const Trigger& trigger : kOrderTriggers)
        drop += "DROP TRIGGER IF EXISTS " + std::string(trigger.name) + ";";
    drop += "DROP TABLE IF EXISTS " + std::string(kOrderTable.name) + ";";
    db.exec(drop);
    std::string create = CreateSql(kOrderTable, "main");
    for (const Trigger& trigger : kOrderTriggers)
        create += "CREATE TRIGGER " + std::string(trigger.name) + std::string(trigger.body) + ";\n";
    db.exec(create);
    FillOrder(db);
}

// A file that cannot be brought up to date is still shown in key order.
void OrderStandIn(Database& db) {
    db.exec(CreateSql(kOrderTable, "temp"));
    db.exec("BEGIN");
    FillOrder(db);
    db.exec("COMMIT");
}

// ---- Version 3: the answer history ---------------------------------------------

// One row per booked answer, beside the words rather than in them: the word's
// rowid, local time in the stored date form, right (1) or wrong (0), the answer
// as typed. A deleted word's rows stay; nothing refers back to them.
constexpr Column kHistoryColumns[] = {
    {"Id", "INTEGER PRIMARY KEY"},
    {"WordId", "INTEGER NOT NULL"},
    {"AskedAt", "TEXT NOT NULL"},
    {"Correct", "INTEGER NOT NULL CHECK (Correct IN (0, 1))"},
    {"Answer", "TEXT NOT NULL DEFAULT ''"},
};
constexpr Index kHistoryIndexes[] = {
    {"AnswerHistoryWord", "(WordId)"},
    {"AnswerHistoryTime", "(AskedAt)"},
};
constexpr SideTable kHistoryTable{"AnswerHistory", kHistoryColumns, kHistoryIndexes};

// The answers are the learner's own: an existing table is never built anew.
bool HistoryIntact(Database& db, int) { return TableExists(db, kHistoryTable.name); }

void BuildHistory(Database& db) { db.exec(CreateSql(kHistoryTable, "main")); }

// An empty history, so the statistics still read.
void HistoryStandIn(Database& db) { db.exec(CreateSql(kHistoryTable, "temp")); }

// ---- Version 4: the direction of each answer -------------------------------------

// 0: the Japanese word was shown and German typed; 1: German shown, Japanese typed.
// The answers of older files were all of the first kind.
constexpr Column kDirectionColumn{"Direction", "INTEGER NOT NULL DEFAULT 0 CHECK (Direction IN (0, 1))"};

std::string AddColumnSql(std::string_view schema, const Column& column) {
    return "ALTER TABLE " + std::string(schema) + "." + std::string(kHistoryTable.name) + " ADD COLUMN " +
           std::string(column.name) + " " + std::string(column.type);
}

bool HasColumn(Database& db, std::string_view schema, std::string_view table, std::string_view column) {
    Statement columns = db.prepare("PRAGMA " + std::string(schema) + ".table_info(" + std::string(table) + ")");
    while (columns.step())
        if (columns.columnText(1) == column) return true;
    return false;
}

// Without the history there is no column either: the history's rung makes the
// table, this one adds the column.
bool DirectionIntact(Database& db, int) {
    return TableExists(db, kHistoryTable.name) &&
           HasColumn(db, "main", kHistoryTable.name, kDirectionColumn.name);
}

void AddDirection(Database& db) { db.exec(AddColumnSql("main", kDirectionColumn)); }

// The history in memory with the columns added up to `added`'s last: the empty
// stand-in gets that column, or the file's answers are read into one that has them
// all (the file's history lacks only the last).
void HistoryColumnStandIn(Database& db, std::span<const Column> added) {
    if (HasColumn(db, "temp", kHistoryTable.name, "Id")) {
        db.exec(AddColumnSql("temp", added.back()));
        return;
    }
    std::string sql = CreateSql(kHistoryTable, "temp");
    for (const Column& column : added) sql += AddColumnSql("temp", column) + ";";
    db.exec(sql + "INSERT INTO temp." + std::string(kHistoryTable.name) + " SELECT *, 0 FROM main." +
            std::string(kHistoryTable.name));
}

void DirectionStandIn(Database& db) { HistoryColumnStandIn(db, std::span(&kDirectionColumn, 1)); }

// ---- Version 5: right answers let pass by "Tolerant prüfen" ---------------------

// 1: the answer was right only as a near miss (a typo, a missing long vowel).
constexpr Column kTolerantColumn{"Tolerant", "INTEGER NOT NULL DEFAULT 0 CHECK (Tolerant IN (0, 1))"};

bool TolerantIntact(Database& db, int) {
    return TableExists(db, kHistoryTable.name) && HasColumn(db, "main", kHistoryTable.name, kTolerantColumn.name);
}

void AddTolerant(Database& db) { db.exec(AddColumnSql("main", kTolerantColumn)); }

void TolerantStandIn(Database& db) {
    const Column added[] = {kDirectionColumn, kTolerantColumn};
    HistoryColumnStandIn(db, added);
}

// ---- Version 6: the memory of each word ------------------------------------------

// How firmly each word is held in each direction, replayed from the answer
// history with the memory model's weights: derived data, built anew whenever it is
// missing or out of step with the history.
constexpr Column kMemoryColumns[] = {
    {"WordId", "INTEGER NOT NULL"},
    {"Direction", "INTEGER NOT NULL"},
    {"Stability", "REAL NOT NULL"},   // days until the chance of recall falls to 90 %
    {"Difficulty", "REAL NOT NULL"},  // 1 to 10
    {"FirstAt", "TEXT NOT NULL"},     // the first answer, in the stored date form
    {"LastAt", "TEXT NOT NULL"},      // the latest answer
    {"DueAt", "TEXT NOT NULL"},       // when the chance of recall falls to the wished retention
    {"Answers", "INTEGER NOT NULL"},
};
constexpr Index kMemoryIndexes[] = {
    // Today's due words and how forgotten each is, read off the index alone.
    {"MemoryStateDue", "(Direction, DueAt, LastAt, Stability)"},
};
constexpr SideTable kMemoryTable{"MemoryState", kMemoryColumns, kMemoryIndexes, "(WordId, Direction)"};

// What the states were made with and from: one row.
constexpr Column kMemoryModelColumns[] = {
    {"Weights", "TEXT NOT NULL"},     // the model's 21 weights
    {"Retention", "REAL NOT NULL"},   // the retention the due times aim at
    {"Answers", "INTEGER NOT NULL"},  // answers of the history replayed
    {"LastAnswerId", "INTEGER NOT NULL"},
};
constexpr SideTable kMemoryModelTable{"MemoryModel", kMemoryModelColumns, {}};

bool SameColumns(Database& db, const SideTable& table) {
    Statement columns = db.prepare("PRAGMA main.table_info(" + std::string(table.name) + ")");
    size_t index = 0;
    while (columns.step()) {
        if (index >= table.columns.size() || columns.columnText(1) != table.columns[index].name) return false;
        ++index;
    }
    return index == table.columns.size();
}

// A deleted word's memory goes with it (its history stays).
constexpr Trigger kMemoryTrigger{"MemoryStateDelete", R"sql( AFTER DELETE ON Vokabel BEGIN
    DELETE FROM MemoryState WHERE WordId = old.rowid;
END)sql"};

bool MemoryIntact(Database& db, int fileVersion) {
    if (fileVersion < 6 || !SameColumns(db, kMemoryTable) || !SameColumns(db, kMemoryModelTable)) return false;
    Statement trigger = db.prepare("SELECT count(*) FROM sqlite_schema WHERE type = 'trigger' AND name = ?1");
    trigger.bindText(1, kMemoryTrigger.name);
    trigger.step();
    return trigger.columnInt(0) == 1;
}

// Empty tables: the states are replayed from the history before they are read.
void BuildMemory(Database& db) {
    db.exec("DROP TRIGGER IF EXISTS " + std::string(kMemoryTrigger.name) + "; DROP TABLE IF EXISTS " +
            std::string(kMemoryTable.name) + "; DROP TABLE IF EXISTS " + std::string(kMemoryModelTable.name) + ";" +
            CreateSql(kMemoryTable, "main") + CreateSql(kMemoryModelTable, "main") + "CREATE TRIGGER " +
            std::string(kMemoryTrigger.name) + std::string(kMemoryTrigger.body) + ";");
}

// ---- The ladder ----------------------------------------------------------------

// A new version is one more section above and one more rung here (and
// kSchemaVersion one up): opening runs the step of every rung whose tables a file
// lacks, then stamps the file with the current version.
struct Rung {
    int version;
    // Whether a file stamped `fileVersion` holds this rung's tables as made; may
    // refuse the file (EngineError).
    bool (*intact)(Database& db, int fileVersion);
    // Makes the rung's tables from the layout below, replacing what is left of them;
    // runs inside the caller's transaction.
    void (*step)(Database& db);
    // Makes them in memory for a file that cannot be written (none: always intact).
    void (*standIn)(Database& db);
};

constexpr Rung kLadder[] = {
    {1, WordsIntact, MakeWords, nullptr},
    {2, OrderIntact, BuildOrder, OrderStandIn},
    {3, HistoryIntact, BuildHistory, HistoryStandIn},
    {4, DirectionIntact, AddDirection, DirectionStandIn},
    {5, TolerantIntact, AddTolerant, TolerantStandIn},
    {6, MemoryIntact, BuildMemory, MakeMemoryStandIn},
};
constexpr bool OneRungPerVersion() {
    for (size_t i = 0; i < std::size(kLadder); ++i)
        if (kLadder[i].version != static_cast<int>(i) + 1) return false;
    return std::size(kLadder) == kSchemaVersion;
}
static_assert(OneRungPerVersion(), "one rung per version, the top one the current layout");

const Rung& RungOf(int version) { return kLadder[version - 1]; }

void StampVersion(Database& db) { db.exec("PRAGMA user_version=" + std::to_string(kSchemaVersion)); }

}  // namespace

void MakeMemoryStandIn(Database& db) {
    db.exec(CreateSql(kMemoryTable, "temp") + CreateSql(kMemoryModelTable, "temp"));
}

void ClearMemoryForRefill(Database& db) {
    std::string sql;
    for (const Index& index : kMemoryIndexes) sql += "DROP INDEX IF EXISTS " + std::string(index.name) + ";";
    db.exec(sql + "DELETE FROM " + std::string(kMemoryTable.name) + "; DELETE FROM " +
            std::string(kMemoryModelTable.name) + ";");
}

void IndexRefilledMemory(Database& db) {
    std::string sql;
    for (const Index& index : kMemoryIndexes)
        sql += "CREATE INDEX IF NOT EXISTS " + std::string(index.name) + " ON " + std::string(kMemoryTable.name) +
               " " + std::string(index.terms) + ";";
    db.exec(sql);
}

std::string_view FieldListSql() {
    return "Translation1, Translation2, Translation3, Hepburn, Kanji, \"Hira-Kata\", Accent, "
           "Note, DateEntered, DateAsked, NumberAsked, NumberWrong, Marked, Type, CardPrinted, "
           "Lesson";
}

std::string UnusableFile(const std::filesystem::path& file) {
    return "Die Datei " + QuotedPath(file) + " ist keine brauchbare Vokabeldatei: ";
}

void MakeLayout(Database& db) {
    for (const Rung& rung : kLadder) rung.step(db);
    StampVersion(db);
}

LayoutPlan LayoutPlan::Read(Database& db) {
    try {
        LayoutPlan plan;
        Statement version = db.prepare("PRAGMA user_version");
        version.step();
        const std::int64_t found = version.columnInt(0);
        if (found > kSchemaVersion)
            throw EngineError("Die Vokabeldatei " + QuotedPath(db.file()) +
                              " stammt von einer neueren Version dieses Programms (Version " +
                              std::to_string(found) + ") und bleibt unverändert.");
        plan.version_ = static_cast<int>(found);
        for (const Rung& rung : kLadder)
            if (!rung.intact(db, plan.version_)) plan.broken_.push_back(rung.version);
        return plan;
    } catch (const EngineError& e) {
        if (e.code() == 0) throw;
        // A file that cannot be read at all is no damage we could show read-only.
        const int primary = e.code() & 0xff;
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_CANTOPEN ||
            primary == SQLITE_IOERR)
            throw;
        throw EngineError(UnusableFile(db.file()) + e.what(), e.code());
    }
}

void LayoutPlan::carryOut(Database& db) const {
    if (!due()) return;
    if (db.readOnly()) {
        for (int version : broken_) RungOf(version).standIn(db);
        return;
    }
    // The old file is kept as it was before anything of it changes.
    CopyTable(db.file(), BackupFolderOf(db.file()) /
                             ("Vokabel-Version" + std::to_string(version_) + "-" + TodayIso() + ".DB"));
    Transaction transaction(db);
    for (int version : broken_) RungOf(version).step(db);
    StampVersion(db);
    transaction.commit();
}

}  // namespace morvanta::store
