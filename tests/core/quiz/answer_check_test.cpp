#include "core/quiz/answer_check.h"

#include <gtest/gtest.h>

namespace morvanta::quiz {
namespace {

TEST(AnswerCheck, ExactOrUpperCasedNothingTrimmed) {
    EXPECT_TRUE(IsRightAnswer("Haus", "Haus", "", "", false));
    EXPECT_TRUE(IsRightAnswer("Gebäude", "Haus", "", "Gebäude", false));
    EXPECT_FALSE(IsRightAnswer("haus", "Haus", "", "", false));
    EXPECT_TRUE(IsRightAnswer("haus", "Haus", "", "", true));
    EXPECT_FALSE(IsRightAnswer(" Haus", "Haus", "", "", true));
    EXPECT_FALSE(IsRightAnswer("Haus ", "Haus", "", "", false));
    EXPECT_TRUE(IsRightAnswer("äpfel", "ÄPFEL", "", "", true));
    EXPECT_FALSE(IsRightAnswer("äpfel", "ÄPFEL", "", "", false));
    // Nothing folded beyond upper-casing.
    EXPECT_FALSE(IsRightAnswer("strasse", "Straße", "", "", true));
}

TEST(AnswerCheck, EmptyAnswerIsAlwaysWrong) {
    EXPECT_FALSE(IsRightAnswer("", "Hund", "", "", false));
    EXPECT_FALSE(IsRightAnswer("", "Hund", "", "", true));
    EXPECT_FALSE(IsRightAnswer("", "", "", "", true));
}

TEST(AnswerCheck, MessagesAndScores) {
    EXPECT_EQ(WrongAnswerMessage("Hund", "", ""), "Nein - Die Übersetzung war :\r\nHund\r\n\r\n");
    EXPECT_EQ(WrongAnswerMessage("a", "b", "c"), "Nein - Die Übersetzung war :\r\na\r\nb\r\nc");
    EXPECT_EQ(ScoreText(3, 1), "3 Richtig und 1 Falsch");
    EXPECT_EQ(ScoreText(0, 0), "0 Richtig und 0 Falsch");
    EXPECT_EQ(ProgressText(5, 42), "5/42");
}

}  // namespace
}  // namespace morvanta::quiz
