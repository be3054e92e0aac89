#include "store/sql_dialect.h"

#include <gtest/gtest.h>

#include <random>

#include "store/engine_error.h"
#include "store/text_fold.h"

namespace morvanta::store {
namespace {

TEST(SqlDialect, DoubleQuotedTextsBecomeLiteralsAndFieldNamesStayNames) {
    EXPECT_EQ(TranslateSql("SELECT * FROM Vokabel WHERE type = \"Meishi\" AND \"Hira-Kata\" = \"it's\";").sql,
              "SELECT * FROM Vokabel WHERE type = 'Meishi' AND \"Hira-Kata\" = 'it''s'");
    EXPECT_EQ(TranslateSql("SELECT * FROM Vokabel WHERE Marked=True OR CardPrinted = false").sql,
              "SELECT * FROM Vokabel WHERE Marked=1 OR CardPrinted = 0");
    EXPECT_EQ(TranslateSql("SELECT Hira-Kata FROM \"Vokabel.DB\"").sql,
              "SELECT \"Hira-Kata\" FROM \"Vokabel\"");
}

TEST(SqlDialect, GermanDatesComparedWithDateFieldsBecomeStoredForm) {
    EXPECT_EQ(TranslateSql("SELECT * FROM Vokabel WHERE  DateEntered < \"01.01.2007\" AND NumberAsked * "
                           "0.250 < NumberWrong AND 1=1;")
                  .sql,
              "SELECT * FROM Vokabel WHERE  DateEntered < '2007-01-01 00:00:00.000' AND NumberAsked "
              "* 0.250 < NumberWrong AND 1=1");
    EXPECT_EQ(TranslateSql("select * from Vokabel where '5.3.2008 10:15' >= dateasked").sql,
              "select * from Vokabel where '2008-03-05 10:15:00.000' >= dateasked");
    // Not compared with a date field: stays as typed.
    EXPECT_EQ(TranslateSql("SELECT * FROM Vokabel WHERE Note = \"01.01.2007\"").sql,
              "SELECT * FROM Vokabel WHERE Note = '01.01.2007'");
    EXPECT_THROW(TranslateSql("SELECT * FROM Vokabel WHERE DateAsked < \"31.02.2007\""), EngineError);
}

TEST(SqlDialect, RecognisesPlainSelectionsOnly) {
    TranslatedSql plain = TranslateSql("SELECT *\nFROM Vokabel\nWHERE Lesson = 3\nORDER BY Hepburn DESC;\n");
    EXPECT_TRUE(plain.plainSelect);
    EXPECT_EQ(plain.where, "Lesson = 3");
    EXPECT_EQ(plain.orderBy, "Hepburn DESC");
    EXPECT_TRUE(TranslateSql("SELECT * FROM Vokabel;").plainSelect);
    EXPECT_TRUE(TranslateSql("SELECT * FROM Vokabel WHERE rowid IN (SELECT rowid FROM Vokabel "
                             "ORDER BY Lesson LIMIT 3)")
                    .plainSelect);
    for (const char* other : {"SELECT Kanji FROM Vokabel", "SELECT * FROM Vokabel LIMIT 3",
                              "SELECT * FROM Vokabel GROUP BY Lesson",
                              "SELECT * FROM Vokabel WHERE 1=1 UNION SELECT * FROM Vokabel",
                              "UPDATE Vokabel SET Marked=True"}) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(TranslateSql(other).plainSelect);
    }
    // A table alias keeps the selection live.
    for (const char* aliased : {"SELECT * FROM Vokabel v WHERE v.Lesson=1", "SELECT V.* FROM Vokabel AS V"}) {
        SCOPED_TRACE(aliased);
        EXPECT_TRUE(TranslateSql(aliased).plainSelect);
        EXPECT_EQ(SameAsciiName(TranslateSql(aliased).alias, "v"), true);
    }
    // Division gives fractions: 3 wrong of 5 asked is more than a half.
    EXPECT_EQ(TranslateSql("SELECT * FROM Vokabel WHERE NumberWrong / NumberAsked > 0.5").where,
              "NumberWrong * 1.0 / NumberAsked > 0.5");
    EXPECT_TRUE(TranslateSql("SELECT Kanji FROM Vokabel WHERE Lesson=1").singleTableSelect);
    EXPECT_FALSE(TranslateSql("SELECT count(*) FROM Vokabel GROUP BY Lesson").singleTableSelect);
}

TEST(SqlDialect, UnterminatedQuotesAreErrors) {
    // A search text with a double quote in it breaks the statement.
    EXPECT_THROW(TranslateSql("SELECT * FROM Vokabel WHERE Hepburn LIKE \"ab\"c%\";"), EngineError);
    EXPECT_THROW(TranslateSql("SELECT 'open"), EngineError);
}

TEST(SqlDialect, RandomTokenSoupsNeverCrash) {
#ifndef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "asserts nothing without the sanitizers (scripts/test --sanitize); the fuzz targets go further";
#endif
    const char* pieces[] = {"SELECT", "*", "FROM", "Vokabel", "WHERE", "\"", "'", "DateEntered",
                            "<", "\"01.01.2007\"", "True", "(", ")", ";", "--", "/*", "Hira",
                            "-", "Kata", "ORDER", "BY", ",", "LIKE", "\"%ä%\"", "1=1", "\n",
                            "\xff", "BETWEEN", "AND", "[", "`", "0.250", "e", ".", "DB"};
    std::mt19937 random(12345);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) {
            text += pieces[random() % std::size(pieces)];
            if (random() % 2) text += ' ';
        }
        try {
            TranslateSql(text);
        } catch (const EngineError&) {
        }
    }
}

}  // namespace
}  // namespace morvanta::store
