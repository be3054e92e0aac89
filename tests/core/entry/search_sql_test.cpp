// The search statement, without widgets.

#include <gtest/gtest.h>

#include "core/entry/search_sql.h"

namespace morvanta::entry {
namespace {

TEST(SearchSql, EachEntryGivesItsStatement) {
    EXPECT_EQ(SearchSql("Translation", "Haus%"),
              "SELECT * FROM Vokabel WHERE Translation1 LIKE \"Haus%\" OR Translation2 LIKE "
              "\"Haus%\" OR Translation3 LIKE \"Haus%\";");
    EXPECT_EQ(SearchSql("Lektion", "12"), "SELECT * FROM Vokabel WHERE Lesson = \"12\";");
    EXPECT_EQ(SearchSql("Typ", "Meishi"), "SELECT * FROM Vokabel WHERE type = \"Meishi\";");
    EXPECT_EQ(SearchSql("Beschreibung", "50%"), "SELECT * FROM Vokabel WHERE Note = \"50%\";");
    EXPECT_EQ(SearchSql("Hepburn", "k%"), "SELECT * FROM Vokabel WHERE Hepburn LIKE \"k%\";");
    EXPECT_EQ(SearchSql("", "egal"), "SELECT * FROM Vokabel;");
    EXPECT_EQ(SearchSql("Hepburn", ""), "SELECT * FROM Vokabel WHERE Hepburn LIKE \"\";");
}

TEST(SearchSql, QuotesAndFieldNamesStayLiteralText) {
    EXPECT_EQ(SearchLiteral("Er sagte \"ja\""), "\"Er sagte \"\"ja\"\"\"");
    EXPECT_EQ(SearchLiteral("\""), "\"\"\"\"");
    EXPECT_EQ(SearchLiteral("it's"), "\"it's\"");
    // A field's name in double quotes would be read as the field.
    EXPECT_EQ(SearchLiteral("Note"), "'Note'");
    EXPECT_EQ(SearchLiteral("hira-kata"), "'hira-kata'");
    EXPECT_EQ(SearchSql("Beschreibung", "Note"), "SELECT * FROM Vokabel WHERE Note = 'Note';");
    EXPECT_EQ(SearchLiteral("Notes"), "\"Notes\"");
}

}  // namespace
}  // namespace morvanta::entry
