// The statements the search page, the quiz selection and users hand to the store.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "store/data_set.h"
#include "store/engine_error.h"
#include "support/temp_table.h"

namespace morvanta::store {
namespace {

class SelectionSql : public ::testing::Test {
protected:
    void SetUp() override {
        t_ = test::MakeTempTable();
        table_ = std::make_unique<Table>(t_->session(), "Vokabel", "Vokabel.DB");
        table_->open();
        add("Haus", "Heim", "", "ie", 3, "Meishi", "Bau", {2006, 5, 1, 10, 0, 0, 0}, 4, 3, true);
        add("haus", "", "Gebäude", "uchi", 3, "Meishi", "", {2007, 1, 1, 0, 0, 0, 0}, 4, 1, false);
        add("Ärger", "", "", "ikari", 5, "Meishi", "", {2006, 12, 31, 23, 59, 59, 999}, 0, 0, true);
        add("ärgern", "Haustier", "", "okoru", 7, "Verb-Kon", "50%", {2008, 3, 1, 0, 0, 0, 0}, 2, 2, true);
        add("groß", "", "", "ookii", 3, "Keiyoushi", "", {2005, 1, 1, 0, 0, 0, 0}, 8, 2, false);
        add("Zähler", "", "", "kazu", 1, "Zähleinheitswort", "", {2009, 1, 1, 0, 0, 0, 0}, 0, 0, true);
    }

    void add(const char* t1, const char* t2, const char* t3, const char* hepburn, int lesson,
             const char* type, const char* note, DateTime entered, int asked, int wrong, bool marked) {
        Record r = test::GeneratedWord(0);
        r[0] = std::string(t1);
        r[1] = std::string(t2);
        r[2] = std::string(t3);
        r[3] = std::string(hepburn);
        r[7] = std::string(note);
        r[8] = entered;
        r[9] = entered;
        r[10] = std::int64_t{asked};
        r[11] = std::int64_t{wrong};
        r[12] = marked;
        r[13] = std::string(type);
        r[15] = std::int64_t{lesson};
        table_->insertRecord(r);
    }

    // Runs a statement the way the program does (execute once, then open) and
    // gives the Hepburn of every selected record.
    std::set<std::string> run(std::vector<std::string> lines) {
        Query query(t_->session(), "Vokabel");
        query.setSql(std::move(lines));
        query.execSql();
        query.open();
        EXPECT_TRUE(query.canModify());
        std::set<std::string> found;
        for (query.first(); !query.eof(); query.next()) found.insert(query.asString("Hepburn"));
        return found;
    }
    std::set<std::string> run(const std::string& line) { return run(std::vector<std::string>{line}); }

    std::unique_ptr<test::TempTable> t_;
    std::unique_ptr<Table> table_;
};

using Names = std::set<std::string>;

TEST_F(SelectionSql, SearchPageStatements) {
    // Translation search: pattern over the three translations, case and umlauts folded.
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Translation1 LIKE \"Haus%\" OR Translation2 LIKE "
                  "\"Haus%\" OR Translation3 LIKE \"Haus%\";"),
              (Names{"ie", "uchi", "okoru"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Translation1 LIKE \"ÄRGER%\" OR Translation2 LIKE "
                  "\"ÄRGER%\" OR Translation3 LIKE \"ÄRGER%\";"),
              (Names{"ikari", "okoru"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Translation1 LIKE \"%bäude\" OR Translation2 LIKE "
                  "\"%bäude\" OR Translation3 LIKE \"%BÄUDE\";"),
              (Names{"uchi"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Translation1 LIKE \"GROSS\" OR Translation2 LIKE "
                  "\"GROSS\" OR Translation3 LIKE \"GROSS\";"),
              Names{});  // ß is not ss for LIKE
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Lesson = \"3\";"), (Names{"ie", "uchi", "ookii"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Lesson = \"x\";"), Names{});
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE type = \"Zähleinheitswort\";"), (Names{"kazu"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Note = \"50%\";"), (Names{"okoru"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Note = \"5%\";"), Names{});  // equality, no pattern
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Hepburn LIKE \"o%\";"), (Names{"okoru", "ookii"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Hepburn LIKE \"%\";").size(), 6u);
    EXPECT_EQ(run("SELECT * FROM Vokabel;").size(), 6u);
    // A search text with a double quote is rejected with the engine's message.
    EXPECT_THROW(run("SELECT * FROM Vokabel WHERE Hepburn LIKE \"o\"k%\";"), EngineError);
}

TEST_F(SelectionSql, QuizSelectionStatements) {
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Marked=True;"), (Names{"ie", "ikari", "okoru", "kazu"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE  1=1;").size(), 6u);
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE  Lesson = 3 AND type = \"Meishi\" AND 1=1;"),
              (Names{"ie", "uchi"}));
    // Entered before 1 January 2007, ratio above 0.250 (1 of 4 is not above).
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE  DateEntered < \"01.01.2007\" AND 1=1;"),
              (Names{"ie", "ikari", "ookii"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE  DateEntered < \"01.01.2007\" AND NumberAsked * "
                  "0.250 < NumberWrong AND 1=1;"),
              (Names{"ie"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE  NumberAsked * 0.250 < NumberWrong AND 1=1;"),
              (Names{"ie", "okoru"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE  type = \"\" AND 1=1;"), Names{});
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE  DateEntered < \"01.01.2007\" AND Lesson = 3 AND "
                  "NumberAsked * 0.250 < NumberWrong AND type = \"Meishi\" AND DateAsked < "
                  "\"01.01.2008\" AND 1=1;"),
              (Names{"ie"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE  DateAsked < \"2.1.2007\" AND 1=1;"),
              (Names{"ie", "uchi", "ikari", "ookii"}));
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE  DateEntered < \"1.1.2007\" AND DateEntered > "
                  "\"31.12.2006\" AND 1=1;"),
              (Names{"ikari"}));
    // An unreadable ratio text is the engine's error.
    EXPECT_THROW(run("SELECT * FROM Vokabel WHERE  NumberAsked * 0.2_5 < NumberWrong AND 1=1;"),
                 EngineError);
}

TEST_F(SelectionSql, OwnStatementsOverSeveralLines) {
    EXPECT_EQ(run(std::vector<std::string>{"SELECT *", "  FROM Vokabel", "WHERE Lesson > 2 -- lessons",
                                           "  AND NOT Marked", "ORDER BY Hepburn;"}),
              (Names{"uchi", "ookii"}));
    // A data-changing statement is carried out by the execute step, then fails to open.
    Query query(t_->session(), "Vokabel");
    query.setSql({"UPDATE Vokabel", "SET Marked = True", "WHERE Lesson = 3;"});
    query.execSql();
    EXPECT_THROW(query.open(), EngineError);
    EXPECT_FALSE(query.active());
    EXPECT_EQ(run("SELECT * FROM Vokabel WHERE Marked=True;").size(), 6u);
    table_->first();
    EXPECT_EQ(table_->asString("Marked"), "True");  // the table reads the changed value
    // Rejected statements carry the engine's message.
    for (const char* bad : {"SELEKT * FROM Vokabel", "SELECT * FROM Vokabel WHERE Nope = 1",
                            "SELECT * FROM Vokabel; DELETE FROM Vokabel", "", ";"}) {
        SCOPED_TRACE(bad);
        Query q(t_->session(), "Vokabel");
        q.setSql({bad});
        EXPECT_THROW(q.execSql(), EngineError);
        EXPECT_THROW(q.open(), EngineError);
        EXPECT_FALSE(q.active());
    }
    EXPECT_EQ(table_->recordCount(), 6);
}

}  // namespace
}  // namespace morvanta::store
