#include "core/quiz/answer_check.h"

#include "text/codepage.h"
#include "text/tolerant_match.h"

namespace morvanta::quiz {

bool IsRightAnswer(std::string_view answer, std::string_view t1, std::string_view t2,
                   std::string_view t3, bool ignoreCaps) {
    if (answer.empty()) return false;
    if (answer == t1 || answer == t2 || answer == t3) return true;
    if (!ignoreCaps) return false;
    const std::string upper = text::UpperCase1252(answer);
    return upper == text::UpperCase1252(t1) || upper == text::UpperCase1252(t2) ||
           upper == text::UpperCase1252(t3);
}

GermanVerdict CheckGermanAnswer(std::string_view answer, const std::array<std::string, 3>& t,
                                bool ignoreCaps, bool tolerant) {
    GermanVerdict verdict;
    verdict.right = IsRightAnswer(answer, t[0], t[1], t[2], ignoreCaps);
    if (verdict.right || !tolerant) return verdict;
    const text::ToleranceResult match = text::MatchTolerantly(answer, {t[0], t[1], t[2]});
    if (match.kind == text::MatchKind::None) return verdict;
    verdict.right = true;
    verdict.nearly = "Fast richtig: " + t[static_cast<size_t>(match.translation)];
    if (!match.rule.empty()) verdict.nearly += " (" + std::string(match.rule) + ")";
    return verdict;
}

std::string WrongAnswerMessage(std::string_view t1, std::string_view t2, std::string_view t3) {
    std::string out = "Nein - Die Übersetzung war :\r\n";
    out.append(t1).append("\r\n").append(t2).append("\r\n").append(t3);
    return out;
}

std::string TypedAnswerLine(std::string_view answer, std::string_view t1, std::string_view t2,
                            std::string_view t3) {
    for (std::string_view t : {t1, t2, t3})
        if (!t.empty() && text::DiffersOnlyInForm(answer, t))
            return "\r\nIhre Eingabe: \u201E" + std::string(answer) + "\u201C";
    return {};
}

std::string ScoreText(int right, int wrong) {
    return std::to_string(right) + " Richtig und " + std::to_string(wrong) + " Falsch";
}

std::string ProgressText(int done, int count) {
    return std::to_string(done) + "/" + std::to_string(count);
}

}  // namespace morvanta::quiz
