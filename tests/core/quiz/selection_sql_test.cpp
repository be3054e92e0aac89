#include "core/quiz/selection_sql.h"

#include <gtest/gtest.h>

namespace morvanta::quiz {
namespace {

TEST(BuildSelectionSql, ExampleTexts) {
    SelectionCriteria c;
    EXPECT_EQ(BuildSelectionSql(c), "SELECT * FROM Vokabel WHERE  1=1;");

    c.QCLesson = true;
    c.lesson = 3;
    c.QCtype = true;
    c.typeText = "Meishi";
    EXPECT_EQ(BuildSelectionSql(c),
              "SELECT * FROM Vokabel WHERE  Lesson = 3 AND type = \"Meishi\" AND 1=1;");

    SelectionCriteria d;
    d.QCRatio = true;
    d.ratioText = "0.250";
    d.QCAge = true;
    d.ageDate = {2007, 1, 1};
    EXPECT_EQ(BuildSelectionSql(d),
              "SELECT * FROM Vokabel WHERE  DateEntered < \"01.01.2007\" AND NumberAsked * 0.250 "
              "< NumberWrong AND 1=1;");
}

TEST(BuildSelectionSql, AllCriteriaInFixedOrderWithTextsUnchanged) {
    SelectionCriteria c;
    c.QCAsked = true;
    c.askedDate = {2023, 11, 5};
    c.QCtype = true;  // no type chosen: empty between the quotes
    c.QCRatio = true;
    c.ratioText = " .   ";  // the empty mask goes through unchanged
    c.QCLesson = true;
    c.lesson = -2147483647 - 1;
    c.QCAge = true;
    c.ageDate = {1999, 12, 31};
    EXPECT_EQ(BuildSelectionSql(c),
              "SELECT * FROM Vokabel WHERE  DateEntered < \"31.12.1999\" AND Lesson = -2147483648 "
              "AND NumberAsked *  .    < NumberWrong AND type = \"\" AND DateAsked < \"05.11.2023\" "
              "AND 1=1;");
}

}  // namespace
}  // namespace morvanta::quiz
