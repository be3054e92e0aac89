#include "core/quiz/answer_check.h"

#include <gtest/gtest.h>

namespace morvanta::quiz {
namespace {

// The tolerant check's note on a typed answer, "richtig" or "falsch".
std::string Verdict(std::string_view typed, const std::string& stored) {
    const GermanVerdict v = CheckGermanAnswer(typed, {stored, "", ""}, false, true);
    return !v.right ? "falsch" : v.nearly.empty() ? "richtig" : v.nearly;
}

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

TEST(AnswerCheck, CanonicallyEqualTextsAreEqual) {
    EXPECT_TRUE(IsRightAnswer("Mu\u0308ll", "", "", "Müll", false));  // u and U+0308
    EXPECT_TRUE(IsRightAnswer("müll", "MU\u0308LL", "", "", true));
    EXPECT_EQ(Verdict("Bru\u0308kce", "Brücke"), "Fast richtig: Brücke (Tippfehler)");
    EXPECT_EQ(TypedAnswerLine("mu\u0308ll ", "Müll", "", ""), "\r\nIhre Eingabe: \u201Em\u00FCll \u201C");
    EXPECT_FALSE(IsRightAnswer("M\xFCll", "Müll", "", "", false));  // no UTF-8: bytes as they are
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
