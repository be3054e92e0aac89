#pragma once
// Checking an answer and the texts the quiz shows about it.

#include <array>
#include <string>
#include <string_view>

namespace morvanta::quiz {

class GermanWords;

// Right if not empty and equal to a translation, exactly or (ignoreCaps)
// after single-byte upper-casing. Nothing is trimmed. UTF-8 texts, compared in
// Unicode NFC (a "ü" typed as u and U+0308 is "ü").
bool IsRightAnswer(std::string_view answer, std::string_view t1, std::string_view t2,
                   std::string_view t3, bool ignoreCaps);

struct GermanVerdict {
    bool right = false;
    std::string nearly;  // a tolerant acceptance: "Fast richtig: Mädchen (Tippfehler)"
};

// A German answer to a Japanese word: IsRightAnswer, and with tolerant also what
// text::MatchTolerantly lets pass, where no typed word of words counts as a typo.
GermanVerdict CheckGermanAnswer(std::string_view answer, const std::array<std::string, 3>& translations,
                                bool ignoreCaps, bool tolerant, const GermanWords& words);
// The same with the word list at kGermanWordListPath, read on the first typo to
// check and kept while the program runs.
GermanVerdict CheckGermanAnswer(std::string_view answer, const std::array<std::string, 3>& translations,
                                bool ignoreCaps, bool tolerant);

// "Nein - Die Übersetzung war :" and the three translations, each on its own line.
std::string WrongAnswerMessage(std::string_view t1, std::string_view t2, std::string_view t3);

// The line added to that message when the answer differs from a translation only
// in blanks, case or umlaut spelling (in NFC), so the learner sees what was typed:
// "\r\nIhre Eingabe: „Wasser “"; empty otherwise.
std::string TypedAnswerLine(std::string_view answer, std::string_view t1, std::string_view t2,
                            std::string_view t3);

// "3 Richtig und 1 Falsch"
std::string ScoreText(int right, int wrong);
// "5/42"
std::string ProgressText(int done, int count);

}  // namespace morvanta::quiz
