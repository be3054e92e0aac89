// Data sets against a real table file: states, events, inserts, live edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/data_set.h"
#include "store/engine_error.h"
#include "store/session.h"
#include "support/temp_table.h"

namespace morvanta::store {
namespace {

using test::GeneratedWord;

Record Word(std::string t1, std::string t2, std::string t3, std::string hepburn) {
    Record r = GeneratedWord(1);
    r[0] = std::move(t1);
    r[1] = std::move(t2);
    r[2] = std::move(t3);
    r[3] = std::move(hepburn);
    return r;
}

std::vector<std::string> Column(DataSet& ds, const char* field) {
    std::vector<std::string> values;
    for (ds.first(); !ds.eof(); ds.next()) values.push_back(ds.asString(field));
    return values;
}

TEST(DataSet, InsertRunsAfterInsertInInsertStateWithTheOldCount) {
    auto t = test::MakeTempTable();
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    std::vector<std::string> log;
    table.subscribe([&](DataEvent e) { log.push_back("event" + std::to_string(int(e))); });
    table.afterOpen = [&](DataSet& ds) { log.push_back("afterOpen " + std::to_string(ds.recordCount())); };
    table.afterInsert = [&](DataSet& ds) {
        EXPECT_EQ(ds.state(), DataSetState::Insert);
        ds.saveToDisk();
        log.push_back("afterInsert " + std::to_string(ds.recordCount()));
    };
    table.open();
    table.insertRecord(Word("Haus", "", "", "ie"));
    table.insertRecord(Word("Baum", "", "", "ki"));
    EXPECT_EQ(table.state(), DataSetState::Browse);
    EXPECT_EQ(table.recordCount(), 2);
    EXPECT_EQ(table.asString("Translation1"), "Baum");  // the new record is current
    EXPECT_EQ(table.recNo(), 1);
    std::vector<std::string> expected = {"event0", "afterOpen 0", "event4", "afterInsert 0", "event4",
                                         "event5", "event4", "afterInsert 1", "event4", "event5"};
    EXPECT_EQ(log, expected);
}

TEST(DataSet, UniquenessRuleOnHepburnAndTranslationsIncludingEmptyOnes) {
    auto t = test::MakeTempTable();
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    table.open();
    table.insertRecord(Word("Haus", "", "", "ie"));
    table.insertRecord(Word("Baum", "", "", "ki"));
    table.setRecNo(2);  // Haus
    ASSERT_EQ(table.asString("Translation1"), "Haus");
    EXPECT_THROW(table.insertRecord(Word("Haus", "", "", "ie")), EngineError);
    // Refused: cancelled, in browse state on the record that was current before.
    EXPECT_EQ(table.state(), DataSetState::Browse);
    EXPECT_EQ(table.recNo(), 2);
    EXPECT_EQ(table.asString("Translation1"), "Haus");
    EXPECT_EQ(table.recordCount(), 2);
    // Differing in any one of the four is fine, so is sharing Kanji or Translation1 alone.
    table.insertRecord(Word("Haus", "Heim", "", "ie"));
    table.insertRecord(Word("Haus", "", "Gebäude", "ie"));
    table.insertRecord(Word("Haus", "", "", "uchi"));
    table.insertRecord(Word("haus", "", "", "ie"));
    EXPECT_EQ(table.recordCount(), 6);
    // Null translations are stored as empty texts, so they collide too.
    Record nulls = Word("Hund", "", "", "inu");
    nulls[1] = std::monostate{};
    table.insertRecord(nulls);
    EXPECT_THROW(table.insertRecord(Word("Hund", "", "", "inu")), EngineError);
}

TEST(DataSet, EditPostCancelAndFailedPostKeepsTheBuffer) {
    auto t = test::MakeTempTable();
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    table.open();
    table.insertRecord(Word("Apfel", "", "", "ringo"));
    table.insertRecord(Word("Birne", "", "", "nashi"));
    int edits = 0;
    table.afterEdit = [&](DataSet&) { ++edits; };
    table.last();
    table.edit();
    EXPECT_EQ(edits, 1);
    table.setAsString("Translation1", "Apfel");
    table.setAsString("Hepburn", "ringo");
    EXPECT_THROW(table.post(), EngineError);  // duplicate
    EXPECT_EQ(table.state(), DataSetState::Edit);
    EXPECT_EQ(table.asString("Hepburn"), "ringo");
    table.cancel();
    EXPECT_EQ(table.asString("Translation1"), "Birne");

    // Unreadable texts change nothing.
    table.edit();
    EXPECT_THROW(table.setAsString("Lesson", "abc"), EngineError);
    EXPECT_THROW(table.setAsString("Marked", "ja"), EngineError);
    EXPECT_THROW(table.setAsString("DateAsked", "32.01.2007"), EngineError);
    table.setAsString("Lesson", "12");
    table.setAsString("Marked", "false");
    table.setAsString("DateAsked", "03.04.2008 12:30");
    table.setAsString("NumberAsked", "");
    table.next();  // posts first
    EXPECT_EQ(table.state(), DataSetState::Browse);
    table.last();
    EXPECT_EQ(table.asInteger("Lesson"), 12);
    EXPECT_EQ(table.asString("Marked"), "False");
    EXPECT_EQ(table.asString("DateAsked"), "03.04.2008 12:30:00");
    EXPECT_TRUE(table.isNull("NumberAsked"));
    EXPECT_THROW(table.asInteger("NumberAsked"), EngineError);
    EXPECT_THROW(table.value("NoSuchField"), EngineError);
}

TEST(DataSet, TextFormsOfTheFieldKinds) {
    auto t = test::MakeTempTable();
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    table.open();
    Record r = Word("Zeit", "", "", "jikan");
    r[8] = DateTime{2007, 1, 1, 0, 0, 0, 0};
    r[9] = DateTime{2007, 1, 2, 8, 5, 9, 250};
    table.insertRecord(r);
    EXPECT_EQ(table.asString("DateEntered"), "01.01.2007");
    EXPECT_EQ(table.asString("DateAsked"), "02.01.2007 08:05:09");
    EXPECT_EQ(table.asDateTime("DateAsked"), (DateTime{2007, 1, 2, 8, 5, 9, 250}));
    EXPECT_EQ(table.asString("Marked"), "False");  // generated word 1 is not marked
    EXPECT_EQ(table.asString("CardPrinted"), "False");
    EXPECT_EQ(table.asString("Lesson"), "2");
    EXPECT_EQ(table.asString("type"), "Keiyoushi");
}

TEST(DataSet, LiveEditThroughAQueryIsSeenByTheTableAtOnce) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 20);
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    Query query(t->session(), "Vokabel");
    table.open();
    query.setSql({"SELECT * FROM Vokabel WHERE Marked=True;"});
    query.execSql();
    query.open();
    ASSERT_TRUE(query.canModify());
    ASSERT_EQ(query.recordCount(), 10);
    std::string first = query.asString("Translation1");
    for (table.first(); !table.eof() && table.asString("Translation1") != first; table.next()) {
    }
    ASSERT_FALSE(table.eof());
    query.edit();
    query.setValue("Marked", false);
    query.setValue("NumberAsked", std::int64_t{9});
    query.post();
    // The table reads the stored values; the query keeps its record numbers.
    EXPECT_EQ(table.asString("Marked"), "False");
    EXPECT_EQ(table.asInteger("NumberAsked"), 9);
    EXPECT_EQ(query.recordCount(), 10);
    EXPECT_EQ(query.recNo(), 1);
    EXPECT_EQ(query.asString("Translation1"), first);
    query.next();
    query.prior();
    EXPECT_EQ(query.asString("Marked"), "False");
    // Reopening runs the statement again.
    query.close();
    query.open();
    EXPECT_EQ(query.recordCount(), 9);
    // An edit through the table is seen by the query.
    query.first();
    std::string hepburn = query.asString("Hepburn");
    Table other(t->session(), "Vokabel", "Vokabel.DB");
    other.open();
    for (other.first(); other.asString("Hepburn") != hepburn; other.next()) {
    }
    other.edit();
    other.setAsString("Note", "geändert");
    other.post();
    EXPECT_EQ(query.asString("Note"), "geändert");
}

// The quiz's selection of the marked words, opened right after the table read its
// order, holds the same words in the same order as one opened on its own: with a
// few words unmarked, and with many.
TEST(DataSet, MarkedSelectionAfterTheTableEqualsOneOnItsOwn) {
    const auto rowsOf = [](const Query& query) {
        std::vector<std::int64_t> rows;
        for (int r = 1; r <= query.recordCount(); ++r) rows.push_back(query.rowIdAt(r));
        return rows;
    };
    for (int every : {97, 2}) {
        SCOPED_TRACE(every);
        auto t = test::MakeTempTable();
        test::InsertWords(t->tableFile, 1500, [every](int n) {
            Record word = GeneratedWord(n);
            word[12] = n % every != 0;  // Marked
            return word;
        });
        Session apart(t->config);
        Query alone(apart, "Vokabel");
        alone.setSql({"SELECT * FROM Vokabel WHERE Marked=True;"});
        alone.open();
        Table table(t->session(), "Vokabel", "Vokabel.DB");
        table.open();
        Query afterTable(t->session(), "Vokabel");
        afterTable.setSql({"SELECT * FROM Vokabel WHERE Marked=True;"});
        afterTable.open();
        EXPECT_EQ(rowsOf(afterTable), rowsOf(alone));
        EXPECT_EQ(afterTable.recordCount(), 1500 - (1500 + every - 1) / every);
    }
}

TEST(DataSet, OtherSelectionsAreReadOnly) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 6);
    Query query(t->session(), "Vokabel");
    query.setSql({"SELECT Translation1, Marked, DateEntered, count(*) AS n FROM Vokabel GROUP BY Lesson"});
    query.open();
    EXPECT_FALSE(query.canModify());
    EXPECT_EQ(query.recordCount(), 6);
    EXPECT_EQ(query.asString("Marked"), "True");
    EXPECT_EQ(query.asString("n"), "1");
    EXPECT_THROW(query.value("Kanji"), EngineError);
    try {
        query.edit();
        FAIL() << "edit on a read-only result";
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("nur gelesen"), std::string::npos) << e.what();
    }
    EXPECT_THROW(query.deleteRecord(), EngineError);
    EXPECT_THROW(query.insertRecord(GeneratedWord(99)), EngineError);
    // A selection from the table alone without its own order comes in key order.
    Query keys(t->session(), "Vokabel");
    keys.setSql({"SELECT Translation1 FROM Vokabel"});
    keys.open();
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    table.open();
    EXPECT_EQ(Column(keys, "Translation1"), Column(table, "Translation1"));
}

TEST(DataSet, TableShowsKeyOrderFoldingCaseAndGermanLetters) {
    auto t = test::MakeTempTable();
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    table.open();
    for (const char* word : {"Zug", "über", "Apfel", "Ärger", "apfel", "Straße", "Strasse", "Ufer", "ähnlich"})
        table.insertRecord(Word(word, "", "", "x"));
    std::vector<std::string> expected = {"ähnlich", "Apfel",   "apfel", "Ärger", "Straße",
                                         "Strasse", "über", "Ufer",    "Zug"};
    EXPECT_EQ(Column(table, "Translation1"), expected);
    // The incremental placing matches a fresh read, and a query without ORDER BY.
    table.refresh();
    EXPECT_EQ(Column(table, "Translation1"), expected);
    Query query(t->session(), "Vokabel");
    query.setSql({"SELECT * FROM Vokabel"});
    query.open();
    EXPECT_EQ(Column(query, "Translation1"), expected);
    // Editing the key moves the record and keeps it current; delete moves to the next.
    table.first();
    table.edit();
    table.setAsString("Translation1", "Zwerg");
    table.post();
    EXPECT_EQ(table.recNo(), 9);
    EXPECT_EQ(table.asString("Translation1"), "Zwerg");
    int deletes = 0;
    table.afterDelete = [&](DataSet& ds) { ++deletes; EXPECT_EQ(ds.recordCount(), 8); };
    table.setRecNo(3);
    std::string third = table.asString("Translation1");
    table.deleteRecord();
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(table.recNo(), 3);
    EXPECT_NE(table.asString("Translation1"), third);
}

TEST(DataSet, NavigationBoundariesAndRecordNumbers) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 3);
    Query query(t->session(), "Vokabel");
    EXPECT_EQ(query.recNo(), 0);
    EXPECT_THROW(query.value("Hepburn"), EngineError);
    query.setSql({"SELECT *", "FROM Vokabel", "ORDER BY Hepburn DESC;"});
    query.open();
    EXPECT_TRUE(query.bof());
    EXPECT_EQ(Column(query, "Hepburn"), (std::vector<std::string>{"hepburn2", "hepburn1", "hepburn0"}));
    EXPECT_TRUE(query.eof());
    EXPECT_EQ(query.recNo(), 3);
    query.setRecNo(2);
    EXPECT_EQ(query.asString("Hepburn"), "hepburn1");
    query.setRecNo(99);
    EXPECT_EQ(query.recNo(), 3);
    query.first();
    query.prior();
    EXPECT_TRUE(query.bof());
    EXPECT_EQ(query.recNo(), 1);

    Query empty(t->session(), "Vokabel");
    empty.setSql({"SELECT * FROM Vokabel WHERE Lesson = 99"});
    empty.open();
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.eof());
    EXPECT_EQ(empty.recNo(), 0);
    EXPECT_EQ(empty.asString("Hepburn"), "");
    EXPECT_THROW(empty.edit(), EngineError);
}

TEST(DataSource, ForwardsNotificationsOfItsDataSet) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 3);
    Table table(t->session(), "Vokabel", "Vokabel.DB");
    std::vector<DataEvent> seen;
    {
        auto query = std::make_unique<Query>(t->session(), "Vokabel");
        DataSource source;
        source.subscribe([&](DataEvent e) { seen.push_back(e); });
        source.setDataSet(&table);
        table.open();
        table.next();
        source.setDataSet(query.get());
        table.next();  // no longer forwarded
        EXPECT_EQ(seen, (std::vector<DataEvent>{DataEvent::Opened, DataEvent::Opened,
                                                DataEvent::Scrolled, DataEvent::Opened}));
        query.reset();  // the data set goes first; the source must not touch it
    }
}

}  // namespace
}  // namespace morvanta::store
