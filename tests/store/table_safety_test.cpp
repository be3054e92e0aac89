// What a typed statement, an outside tool or a damaged file can do to the table.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "store/backup.h"
#include "store/schema.h"
#include "store/data_set.h"
#include "store/database.h"
#include "store/engine_error.h"
#include "store/file_saver.h"
#include "support/temp_table.h"

namespace morvanta::store {
namespace {

namespace fs = std::filesystem;

std::int64_t Number(Database& db, const std::string& sql) {
    Statement s = db.prepare(sql);
    s.step();
    return s.columnInt(0);
}

std::vector<std::string> KeyOrder(Session& session) {
    Table table(session, "Vokabel", "Vokabel.DB");
    table.open();
    std::vector<std::string> out;
    for (table.first(); !table.eof(); table.next()) out.push_back(table.asString("Translation1"));
    return out;
}

// Runs the stock sqlite3 shell on a file; its exit status.
int Shell(const fs::path& file, const std::string& sql) {
    std::string command = "sqlite3 -bail '" + file.string() + "' \"" + sql + "\" >/dev/null 2>&1";
    return std::system(command.c_str());
}

TEST(OwnStatements, OnlyWordChangesRunAndEachIsCountedOrRefused) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 10);
    Query query(t->session(), "Vokabel");
    auto db = t->session().connect("Vokabel");
    for (const char* statement :
         {"DROP TABLE Vokabel;", "ALTER TABLE Vokabel ADD COLUMN x", "CREATE TABLE x (a)",
          "ATTACH '/tmp/morvanta-attach.db' AS other", "VACUUM", "VACUUM INTO '/tmp/morvanta-copy.db'",
          "PRAGMA journal_mode=DELETE", "SELECT load_extension('x')", "DELETE FROM VokabelOrder",
          "BEGIN", "SELECT * FROM sqlite_master", "CREATE TRIGGER t AFTER INSERT ON Vokabel BEGIN DELETE FROM Vokabel; END"}) {
        SCOPED_TRACE(statement);
        query.setSql({statement});
        try {
            query.execSql();
            ADD_FAILURE() << "not refused";
        } catch (const EngineError& e) {
            EXPECT_TRUE(e.isRefused()) << e.what();
        }
        EXPECT_EQ(Number(*db, "SELECT count(*) FROM Vokabel"), 10);
        EXPECT_EQ(Number(*db, "SELECT count(*) FROM VokabelOrder WHERE SortKey IS NOT NULL"), 10);
    }
    EXPECT_FALSE(fs::exists("/tmp/morvanta-copy.db"));

    // Words that were marked already are not changed by marking them.
    const auto unmarked = Number(*db, "SELECT count(*) FROM Vokabel WHERE Lesson < 4 AND Marked = 0");
    query.setSql({"UPDATE Vokabel SET Marked=True WHERE Lesson < 4;"});
    ExecResult changed = query.execSql();
    EXPECT_EQ(changed.kind, StatementKind::Update);
    EXPECT_EQ(changed.counts.changed, unmarked);

    int asked = 0;
    query.setSql({"DELETE FROM Vokabel WHERE Lesson = 2"});
    ExecResult declined = query.execSql([&](const ChangeCounts& counts) { asked = counts.deleted; return false; });
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(declined.declined);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM Vokabel"), 10);
    ExecResult deleted = query.execSql([](const ChangeCounts&) { return true; });
    EXPECT_EQ(deleted.counts.deleted, 1);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM Vokabel"), 9);

    // An inserted word takes its place in the key order at once.
    query.setSql({"INSERT INTO Vokabel (Translation1, Hepburn, Marked) VALUES (\"Äpfel\", \"ringo\", True)"});
    EXPECT_EQ(query.execSql().kind, StatementKind::Insert);
    EXPECT_EQ(KeyOrder(t->session()).front(), "Äpfel");

    // Outside input may only select.
    for (const char* statement : {"DELETE FROM Vokabel", "UPDATE Vokabel SET Marked=False", "DROP TABLE Vokabel;"})
        EXPECT_THROW(query.requireSelection(statement), EngineError) << statement;
    EXPECT_NO_THROW(query.requireSelection("SELECT * FROM Vokabel WHERE Marked=True;"));
}

// Each statement that once destroyed or hid words without a question: its word
// count before and after, and what the learner is asked or told.
TEST(OwnStatements, NothingIsKeptThatTheLearnerHasNotSeen) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 30);
    Query query(t->session(), "Vokabel");
    auto db = t->session().connect("Vokabel");
    const auto words = [&] { return Number(*db, "SELECT count(*) FROM Vokabel"); };
    std::vector<ChangeCounts> asked;
    const auto answer = [&](bool yes) {
        return [&asked, yes](const ChangeCounts& counts) { asked.push_back(counts); return yes; };
    };

    // Rows that vanish through a conflict clause are named as deleted; "Nein" keeps them.
    query.setSql({"UPDATE OR REPLACE Vokabel SET Hepburn='x', Translation1='x', Translation2='', Translation3=''"});
    EXPECT_TRUE(query.execSql(answer(false)).declined);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].changed + asked[0].deleted, 30);
    EXPECT_EQ(asked[0].deleted, 29);
    EXPECT_EQ(words(), 30);
    query.setSql({"INSERT OR REPLACE INTO Vokabel (" + std::string(FieldListSql()) + ") SELECT " +
                  std::string(FieldListSql()) + " FROM Vokabel WHERE Lesson = 1"});
    EXPECT_TRUE(query.execSql(answer(false)).declined);
    EXPECT_EQ(asked.back().deleted, asked.back().inserted);
    EXPECT_GT(asked.back().deleted, 0);
    EXPECT_EQ(words(), 30);

    // Refused before anything is asked, with the field and why.
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"UPDATE Vokabel SET rowid = rowid + 100000", "rowid"},
        {"UPDATE Vokabel SET _rowid_ = 7 WHERE rowid = 1", "rowid"},
        {"UPDATE Vokabel SET Translation1=''", "Translation1 darf nicht leer sein"},
        {"UPDATE Vokabel SET Hepburn='  ' WHERE rowid = 3", "Hepburn darf nicht leer sein"},
        {"UPDATE Vokabel SET NumberAsked='viele'", "NumberAsked kann nur ganze Zahlen"},
        {"UPDATE Vokabel SET DateAsked = upper('gestern')", "DateAsked kann nur ein Datum"},
        {"UPDATE Vokabel SET Note=randomblob(4)", "Note kann nur Text"},
        {"INSERT INTO Vokabel (Translation1, Hepburn, Marked) VALUES ('Baum', 'ki', 'ja')", "Regel"},
        {"INSERT INTO Vokabel (Translation1) VALUES ('Baum')", "Hepburn darf nicht leer sein"},
    };
    for (const auto& [statement, why] : refused) {
        SCOPED_TRACE(statement);
        query.setSql({statement});
        try {
            query.execSql(answer(true));
            ADD_FAILURE() << "not refused";
        } catch (const EngineError& e) {
            EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
        }
        EXPECT_EQ(words(), 30);
        EXPECT_EQ(Number(*db, "SELECT max(rowid) FROM Vokabel"), 30);
    }
    EXPECT_EQ(asked.size(), 2u);

    // A value that was there before is the learner's to keep: only what a statement writes is checked.
    db->exec("UPDATE Vokabel SET NumberWrong = 'einige' WHERE rowid = 5");
    query.setSql({"UPDATE Vokabel SET Lesson = 99 WHERE rowid = 5"});
    EXPECT_EQ(query.execSql(answer(true)).counts.changed, 1);

    // A German date is a date; after "Ja" the table as it was lies in the backup folder.
    query.setSql({"UPDATE Vokabel SET DateAsked = \"01.02.2024\", Marked = False WHERE Lesson = 2"});
    const ExecResult kept = query.execSql(answer(true));
    EXPECT_EQ(asked.back().changed, kept.counts.changed);
    ASSERT_TRUE(fs::exists(kept.copyBefore)) << kept.copyBefore;
    EXPECT_EQ(kept.copyBefore.parent_path(), BackupFolderOf(t->tableFile));
    EXPECT_TRUE(kept.copyBefore.filename().string().starts_with("Vokabel-vor-SQL-"));
    auto before = Database::open(kept.copyBefore);
    EXPECT_EQ(Number(*before, "SELECT count(*) FROM Vokabel WHERE DateAsked LIKE '2024-02-01%'"), 0);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM Vokabel WHERE DateAsked LIKE '2024-02-01%'"), kept.counts.changed);
}

// The quiz can show and book only whole words: anything else is refused, and the
// quiz goes on over the selection it had.
TEST(OwnStatements, QuizSelectionsAreSelectionsOfWords) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 6);
    Query quiz(t->session(), "Vokabel");
    quiz.setWordsOnly(true);
    quiz.run({"SELECT * FROM Vokabel WHERE Lesson = 1 ORDER BY Hepburn;"});
    const int selected = quiz.recordCount();
    for (const char* statement : {"SELECT * FROM VokabelOrder", "SELECT sqlite_version()",
                                  "SELECT Kanji, Translation1 FROM Vokabel", "SELECT * FROM Vokabel LIMIT 3"}) {
        SCOPED_TRACE(statement);
        try {
            quiz.run({statement});
            ADD_FAILURE() << "not refused";
        } catch (const EngineError& e) {
            EXPECT_TRUE(e.isRefused()) << e.what();
            EXPECT_NE(std::string(e.what()).find("ganze Vokabeln"), std::string::npos) << e.what();
        }
        EXPECT_THROW(quiz.requireSelection(statement), EngineError);
        EXPECT_TRUE(quiz.active());
        EXPECT_EQ(quiz.recordCount(), selected);
    }
}

TEST(OwnStatements, MeanWhatTheLearnerMeans) {
    auto t = test::MakeTempTable();
    auto db = t->session().connect("Vokabel");
    db->exec("INSERT INTO Vokabel (Translation1, Hepburn, NumberAsked, NumberWrong, Lesson) VALUES "
             "('drei von fünf', 'a', 5, 3, 2), ('zwei von sechs', 'b', 6, 2, 2), ('vier von sechs', 'c', 6, 4, 1)");
    Query query(t->session(), "Vokabel");
    query.run({"SELECT * FROM Vokabel WHERE NumberWrong / NumberAsked > 0.5;"});
    EXPECT_EQ(query.recordCount(), 2);
    // A table alias keeps the result editable, so the quiz can book its answers.
    query.run({"SELECT * FROM Vokabel V WHERE V.Lesson = 2"});
    ASSERT_TRUE(query.canModify());
    EXPECT_EQ(query.recordCount(), 2);
    query.edit();
    query.setAsString("NumberAsked", "7");
    query.post();
    EXPECT_EQ(Number(*db, "SELECT max(NumberAsked) FROM Vokabel"), 7);
}

class StopAfter : public Database::LongWork {
public:
    bool keepGoing(std::chrono::milliseconds elapsed) override { return elapsed.count() < 200; }
    void done() override { ++finished; }
    int finished = 0;
};

TEST(OwnStatements, EndlessQueryIsCancelledAndTheSelectionStays) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 6);
    StopAfter observer;
    t->session().connect("Vokabel")->setLongWork(&observer);
    Query query(t->session(), "Vokabel");
    query.run({"SELECT * FROM Vokabel WHERE Lesson < 4"});
    query.setRecNo(2);
    const std::string endless =
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT count(*) FROM n";
    for (const std::string& statement : {endless, "UPDATE Vokabel SET Marked = (" + endless + ")"}) {
        try {
            query.run({statement});
            ADD_FAILURE() << "not cancelled";
        } catch (const EngineError& e) {
            EXPECT_TRUE(e.isCancelled()) << e.what();
        }
        EXPECT_TRUE(query.active());
        EXPECT_EQ(query.sql(), std::vector<std::string>{"SELECT * FROM Vokabel WHERE Lesson < 4"});
        EXPECT_EQ(query.recordCount(), 3);
        EXPECT_EQ(query.recNo(), 2);
    }
    EXPECT_GE(observer.finished, 2);
    EXPECT_EQ(Number(*t->session().connect("Vokabel"), "SELECT count(*) FROM Vokabel WHERE Marked > 1"), 0);
}

TEST(TableSafety, StockSqliteShellChecksReadsAndChangesTheFile) {
    if (std::system("command -v sqlite3 >/dev/null") != 0) GTEST_SKIP() << "no sqlite3 shell";
    auto u = test::MakeTempTable();
    test::InsertGeneratedWords(u->tableFile, 5);
    ASSERT_EQ(Shell(u->tableFile, "PRAGMA integrity_check; SELECT count(*) FROM Vokabel;"
                                  "INSERT INTO Vokabel (Translation1, Hepburn) VALUES ('Zebra', 'shimauma');"
                                  "INSERT INTO Vokabel (Translation1, Hepburn) VALUES ('ähnlich', 'nite');"
                                  "UPDATE Vokabel SET Translation1 = 'aal' WHERE Translation1 = 'Zebra';"
                                  // REPLACE removes the old word without its delete trigger.
                                  "INSERT OR REPLACE INTO Vokabel (Translation1, Hepburn, Lesson) VALUES ('aal', 'shimauma', 9);"),
              0);
    u->session().connect("Vokabel")->awaitCheck();
    const auto order = KeyOrder(u->session());
    ASSERT_EQ(order.size(), 7u);
    EXPECT_EQ(order[0], "aal");      // changed outside, placed by its new key
    EXPECT_EQ(order[1], "ähnlich");  // umlaut with its base letter
    EXPECT_EQ(Shell(u->tableFile, "PRAGMA integrity_check;"), 0);
}

TEST(TableSafety, VersionOneFileIsMigratedAfterABackup) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 8);
    {
        // The layout of version 1: the order came from indexes with our own collation.
        auto db = Database::open(t->tableFile);
        db->exec("DROP TABLE VokabelOrder; DROP TRIGGER VokabelOrderInsert; DROP TRIGGER VokabelOrderUpdate;"
                 "DROP TRIGGER VokabelOrderMarkedUpdate; DROP TRIGGER VokabelOrderDelete;"
                 "CREATE INDEX VokabelKeyOrder ON Vokabel (Translation1 COLLATE MORVANTA_KEY, "
                 "Translation2 COLLATE MORVANTA_KEY, Translation3 COLLATE MORVANTA_KEY, Hepburn COLLATE MORVANTA_KEY);"
                 "PRAGMA user_version = 1;");
    }
    auto db = Database::open(t->tableFile);
    EXPECT_EQ(Number(*db, "PRAGMA user_version"), kSchemaVersion);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM AnswerHistory"), 0);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM VokabelOrder WHERE SortKey IS NOT NULL"), 8);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM sqlite_master WHERE sql LIKE '%MORVANTA_KEY%'"), 0);
    EXPECT_EQ(KeyOrder(t->session()).size(), 8u);
    int copies = 0;
    for (const auto& entry : fs::directory_iterator(BackupFolderOf(t->tableFile)))
        copies += entry.path().filename().string().rfind("Vokabel-Version1-", 0) == 0;
    EXPECT_EQ(copies, 1);

    // The order table is made from the words alone: a broken one is built anew.
    // A file of version 2 gets the answer history, its answers untouched.
    db.reset();
    {
        auto damaged = Database::open(t->tableFile);
        damaged->exec("INSERT INTO AnswerHistory (WordId, AskedAt, Correct) VALUES (2, '2024-03-15', 1);"
                      "DROP TRIGGER VokabelOrderDelete");
    }
    db = Database::open(t->tableFile);
    db->exec("DELETE FROM Vokabel WHERE rowid = 1");
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM VokabelOrder"), 7);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM AnswerHistory"), 1);
    EXPECT_TRUE(fs::exists(BackupFolderOf(t->tableFile) /
                           ("Vokabel-Version" + std::to_string(kSchemaVersion) + "-" + TodayIso() + ".DB")));
    // A file of version 3 gets the direction of each answer: its answers were all
    // asked Japanese to German.
    db.reset();
    Database::open(t->tableFile)->exec("ALTER TABLE AnswerHistory DROP COLUMN Direction; PRAGMA user_version = 3;");
    db = Database::open(t->tableFile);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM AnswerHistory WHERE Direction = 0"), 1);
    db.reset();
    Database::open(t->tableFile)->exec("DROP TABLE AnswerHistory; PRAGMA user_version = 2;");
    db = Database::open(t->tableFile);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM AnswerHistory"), 0);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM VokabelOrder WHERE SortKey IS NOT NULL"), 7);
}

TEST(TableSafety, ReplacedFileTakesNoWriteAndNoLog) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 4);
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    table.open();
    test::TempTable other;
    test::InsertGeneratedWords(other.tableFile, 2, 100);
    fs::rename(other.tableFile, t->tableFile);
    try {
        table.insertRecord(test::GeneratedWord(50));
        ADD_FAILURE() << "stored into a replaced file";
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("ersetzt"), std::string::npos) << e.what();
    }
    auto db = Database::open(t->tableFile);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM Vokabel"), 2);
    Statement check = db->prepare("PRAGMA integrity_check");
    check.step();
    EXPECT_EQ(check.columnText(0), "ok");
}

TEST(TableSafety, DamagedFileIsNamedAndOpenedReadOnly) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 300);
    {
        auto db = Database::open(t->tableFile);
        db->exec("PRAGMA wal_checkpoint(TRUNCATE)");
    }
    const auto pageSize = 4096;
    const auto pages = static_cast<long>(fs::file_size(t->tableFile) / pageSize);
    {
        // Noise in the middle of a data page of the table.
        std::fstream file(t->tableFile, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(pageSize * (pages / 2) + 100);
        std::string noise(400, '\xA5');
        file.write(noise.data(), static_cast<std::streamsize>(noise.size()));
    }
    const auto bytes = [&] {
        std::ifstream in(t->tableFile, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = bytes();
    auto db = Database::open(t->tableFile);
    EXPECT_THROW(db->requireWritable(), EngineError);  // waits for the check
    EXPECT_TRUE(db->readOnly());
    EXPECT_NE(db->warning().find("beschädigt"), std::string::npos) << db->warning();
    EXPECT_NE(db->warning().find("Backup"), std::string::npos) << db->warning();
    EXPECT_THROW(db->exec("DELETE FROM Vokabel"), EngineError);
    db.reset();
    EXPECT_EQ(bytes(), before);
}

// A damaged file of version 1 is not brought up to date: read-only, it still shows
// the words in key order and an empty history, and stays as it was.
TEST(TableSafety, DamagedOldFileIsReadAsItStands) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 8);
    std::vector<std::string> sound;
    {
        Session session(t->config);
        sound = KeyOrder(session);
        // Another table's rows fill the end of the file: noise there leaves the words readable.
        session.connect("Vokabel")->exec(
            "DROP TRIGGER VokabelOrderInsert; DROP TRIGGER VokabelOrderUpdate;"
            "DROP TRIGGER VokabelOrderMarkedUpdate; DROP TRIGGER VokabelOrderDelete;"
            "DROP TABLE VokabelOrder; DROP TABLE AnswerHistory; PRAGMA user_version = 1;"
            "CREATE TABLE Notes (Text TEXT);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
            "INSERT INTO Notes SELECT printf('%0100d', i) FROM n;"
            "VACUUM; PRAGMA wal_checkpoint(TRUNCATE);");
    }
    {
        std::fstream file(t->tableFile, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(fs::file_size(t->tableFile)) - 4096);
        const std::string noise(400, '\xA5');
        file.write(noise.data(), static_cast<std::streamsize>(noise.size()));
    }
    const auto bytes = [&] {
        std::ifstream in(t->tableFile, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = bytes();
    auto db = t->session().connect("Vokabel");
    EXPECT_TRUE(db->damaged());
    EXPECT_TRUE(db->readOnly());
    EXPECT_EQ(KeyOrder(t->session()), sound);
    EXPECT_EQ(Number(*db, "SELECT count(*) FROM AnswerHistory"), 0);
    EXPECT_EQ(bytes(), before);
}

// What the learner reads of a failure: a German sentence; SQLite's or the system's
// own words only in brackets, names only in quotes.
TEST(TableSafety, MessagesAreGermanWithTheEngineInBrackets) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 3);
    const auto messageOf = [](const std::function<void()>& step) {
        try {
            step();
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    Query query(t->session(), "Vokabel");
    test::TempTable gone;
    fs::remove(gone.tableFile);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {messageOf([&] { query.first(); }), "geschlossen"},
        {messageOf([&] {
             query.run({"SELECT Lesson, count(*) AS n FROM Vokabel GROUP BY Lesson"});
             query.edit();
         }),
         "nur gelesen"},
        {messageOf([&] { query.run({"SELEC * FROM Vokabel"}); }),
         "Die SQL-Anweisung ist fehlerhaft oder konnte nicht ausgeführt werden "
         "(near \"SELEC\": syntax error)."},
        {messageOf([&] { Table(gone.session(), "Vokabel", "Vokabel.DB").open(); }),
         "Vokabel.DB“ gibt es nicht."},
        {messageOf([&] { Table(t->session(), "Unbekannt", "Vokabel.DB").open(); }),
         "Den Datenbank-Alias „Unbekannt“ gibt es nicht."},
        {messageOf([&] { FileSaver(t->folder.path() / "fehlt" / "liste.rtf"); }),
         "liste.rtf“ konnte nicht angelegt werden (Datei oder Ordner nicht gefunden)."},
        {messageOf([&] {
             Table table(t->session(), "Vokabel", "Vokabel.DB");
             table.open();
             t->session().connect("Vokabel")->exec("PRAGMA query_only=1");
             table.insertRecord(test::GeneratedWord(99));
         }),
         "schreibgeschützt: Die Änderung wurde nicht gespeichert (attempt to write a readonly "
         "database)."},
    };
    const std::regex bracketsAndNames("\\([^()]*\\)|„[^“]*“");
    for (const auto& [message, phrase] : cases) {
        SCOPED_TRACE(message);
        EXPECT_NE(message.find(phrase), std::string::npos);
        const std::string own = std::regex_replace(message, bracketsAndNames, "");
        for (const char* english : {"annot", " not ", " the ", " is ", " does", "rror", "no such"})
            EXPECT_EQ(own.find(english), std::string::npos) << english;
    }
}

TEST(TableSafety, DailyBackupsAreWholeCopiesAndOnlyTheNewestStay) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 12);
    for (int day = 1; day <= 9; ++day) {
        char date[16];
        std::snprintf(date, sizeof date, "2026-12-%02d", day);
        EXPECT_FALSE(WriteDailyBackup(t->tableFile, date, 7).empty());
    }
    EXPECT_TRUE(WriteDailyBackup(t->tableFile, "2026-12-09", 7).empty());  // once a day
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(BackupFolderOf(t->tableFile)))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names.front(), "Vokabel-2026-12-03.DB");
    auto copy = Database::open(BackupFolderOf(t->tableFile) / names.back());
    EXPECT_EQ(Number(*copy, "SELECT count(*) FROM Vokabel"), 12);
}

}  // namespace
}  // namespace morvanta::store
