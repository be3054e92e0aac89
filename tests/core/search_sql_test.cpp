// The search statement and the ratio text, without widgets.

#include <gtest/gtest.h>

#include "core/ratio_text.h"
#include "core/search_sql.h"

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

TEST(RatioText, GermanGeneralFormat) {
    EXPECT_EQ(RatioText(1, 3), "0,333333333333333");
    EXPECT_EQ(RatioText(1, 2), "0,5");
    EXPECT_EQ(RatioText(2, 2), "1");
    EXPECT_EQ(RatioText(3, 4), "0,75");
    EXPECT_EQ(RatioText(0, 5), "0");
    EXPECT_EQ(RatioText(2, 3), "0,666666666666667");
    EXPECT_EQ(RatioText(5, 0), "");
    EXPECT_EQ(RatioText(0, 0), "");
    EXPECT_EQ(RatioText(7, 2), "3,5");
    EXPECT_EQ(RatioText(-1, 4), "-0,25");
    EXPECT_EQ(RatioText(1, 1000), "0,001");
    EXPECT_EQ(RatioText(1, 10000), "0,0001");
    EXPECT_EQ(RatioText(1, 100000), "1E-5");
    EXPECT_EQ(RatioText(3, 200000), "1,5E-5");
    EXPECT_EQ(GeneralFloatText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralFloatText(1e15), "1E15");
    EXPECT_EQ(GeneralFloatText(1234.5), "1234,5");
    EXPECT_EQ(GeneralFloatText(100), "100");
}

}  // namespace
}  // namespace morvanta::entry
