// The bounds the learner's own statements run within.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "store/data_set.h"
#include "store/database.h"
#include "store/engine_error.h"
#include "support/temp_table.h"

namespace morvanta::store {
namespace {

std::int64_t Number(Database& db, const std::string& sql) {
    Statement s = db.prepare(sql);
    s.step();
    return s.columnInt(0);
}

// Each bound stops the statement with a German message naming it; the words and
// the selection open before stay as they were.
TEST(LearnerBounds, EachBoundStopsTheStatementNamedAndChangesNothing) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 300);
    auto db = t->session().connect("Vokabel");
    const std::int64_t pages = Number(*db, "PRAGMA page_count");
    Query query(t->session(), "Vokabel");
    const std::vector<std::string> selection = {"SELECT * FROM Vokabel WHERE Lesson < 4"};
    query.run(selection);
    const int selected = query.recordCount();
    const std::string value = "Ein Wert der Abfrage wäre größer als 16 MB";
    const std::string forty = "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n LIMIT 40) ";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"SELECT randomblob(1000000000)", value},
        {"WITH RECURSIVE d(s) AS (SELECT 'x' UNION ALL SELECT s || s FROM d) SELECT length(s) FROM d", value},
        {"SELECT printf('%.*c', 1000000000, 'x')", value},
        {"UPDATE Vokabel SET Translation3 = randomblob(1000000000)", value},
        {"SELECT *, zeroblob(15000000) || '' FROM Vokabel", "Die Abfrage braucht mehr als 256 MB Speicher"},
        {forty + "SELECT zeroblob(15000000) || x FROM n", "Das Ergebnis der Abfrage wäre größer als 256 MB"},
        {"UPDATE Vokabel SET Translation3 = zeroblob(15000000) || rowid WHERE rowid <= 40",
         "Die Änderung würde die Vokabeldatei um mehr als 256 MB vergrößern"},
        {"SELECT instr(printf('%.*c', 16000000, 'a'), printf('%.*c', 1000, 'a') || 'b')", "Die Funktion instr"},
        {"SELECT * FROM Vokabel WHERE printf('%.*c', 1000000, 'a') LIKE '%' || printf('%.*c', 200, 'a') || 'b'",
         "Die Funktion like"},
    };
    for (const auto& [statement, bound] : cases) {
        SCOPED_TRACE(statement);
        try {
            query.run({statement});
            ADD_FAILURE() << "not stopped";
        } catch (const EngineError& e) {
            EXPECT_TRUE(e.isRefused());
            EXPECT_NE(std::string(e.what()).find(bound), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("es wurde nichts verändert"), std::string::npos) << e.what();
        }
        EXPECT_EQ(query.sql(), selection);
        EXPECT_EQ(query.recordCount(), selected);
        EXPECT_EQ(Number(*db, "SELECT count(*) FROM Vokabel"), 300);
        EXPECT_EQ(Number(*db, "SELECT count(*) FROM Vokabel WHERE length(Translation3) > 1000"), 0);
    }
    // Bounded work still gives SQLite's own results; the program's own statements are free again.
    query.run({"SELECT printf('%.*c', 3, 'x') AS a, instr('Haus', 'us') AS b, replace('aXb', 'X', '-') AS c, "
               "trim('xxhixx', 'x') AS d, 'Haus' GLOB 'H*s' AS e, printf('%5.2f', 3.14159) AS f"});
    EXPECT_EQ(query.asString("a") + query.asString("b") + query.asString("c") + query.asString("d") +
                  query.asString("e") + query.asString("f"),
              "xxx3a-bhi1 3.14");
    EXPECT_EQ(Number(*db, "SELECT length(randomblob(20000000))"), 20000000);
    EXPECT_LE(Number(*db, "PRAGMA page_count"), pages + 16);
}

}  // namespace
}  // namespace morvanta::store
