#include "core/quiz/answer_check.h"

#include <QString>

#include <algorithm>

#include "core/quiz/german_words.h"
#include "text/codepage.h"
#include "text/tolerant_match.h"
#include "text/utf8_char.h"

namespace morvanta::quiz {

namespace {

bool IsValidUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        char32_t cp = 0;
        const int len = *p < 0x80 ? 1 : text::DecodeUtf8Sequence(p, end, cp);
        if (len == 0) return false;
        p += len;
    }
    return true;
}

// Canonically equal texts are the same letters to a learner: some systems paste "ü"
// as u and U+0308. ASCII is NFC already; broken UTF-8 is left as it is, since
// decoding would change its bytes.
std::string Nfc(std::string_view s) {
    if (std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }) ||
        !IsValidUtf8(s))
        return std::string(s);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()))
        .normalized(QString::NormalizationForm_C)
        .toStdString();
}

bool IsRightNfc(const std::string& answer, const std::array<std::string, 3>& t, bool ignoreCaps) {
    if (answer.empty()) return false;
    if (answer == t[0] || answer == t[1] || answer == t[2]) return true;
    if (!ignoreCaps) return false;
    const std::string upper = text::UpperCase1252(answer);
    return upper == text::UpperCase1252(t[0]) || upper == text::UpperCase1252(t[1]) ||
           upper == text::UpperCase1252(t[2]);
}

}  // namespace

bool IsRightAnswer(std::string_view answer, std::string_view t1, std::string_view t2,
                   std::string_view t3, bool ignoreCaps) {
    return IsRightNfc(Nfc(answer), {Nfc(t1), Nfc(t2), Nfc(t3)}, ignoreCaps);
}

GermanVerdict CheckGermanAnswer(std::string_view answer, const std::array<std::string, 3>& translations,
                                bool ignoreCaps, bool tolerant, const GermanWords& words) {
    const std::string typed = Nfc(answer);
    const std::array<std::string, 3> t = {Nfc(translations[0]), Nfc(translations[1]),
                                          Nfc(translations[2])};
    GermanVerdict verdict;
    verdict.right = IsRightNfc(typed, t, ignoreCaps);
    if (verdict.right || !tolerant) return verdict;
    const text::ToleranceResult match = text::MatchTolerantly(
        typed, {t[0], t[1], t[2]}, [&words](std::string_view key) { return words.contains(key); });
    if (match.kind == text::MatchKind::None) return verdict;
    verdict.right = true;
    if (match.kind == text::MatchKind::Exact) return verdict;  // one of the stored alternatives as written
    verdict.nearly = "Fast richtig: " + t[static_cast<size_t>(match.translation)];
    if (!match.rule.empty()) verdict.nearly += " (" + std::string(match.rule) + ")";
    return verdict;
}

GermanVerdict CheckGermanAnswer(std::string_view answer, const std::array<std::string, 3>& translations,
                                bool ignoreCaps, bool tolerant) {
    static const GermanWords systemWords;  // the list does not change while the program runs
    return CheckGermanAnswer(answer, translations, ignoreCaps, tolerant, systemWords);
}

std::string WrongAnswerMessage(std::string_view t1, std::string_view t2, std::string_view t3) {
    std::string out = "Nein - Die Übersetzung war :\r\n";
    out.append(t1).append("\r\n").append(t2).append("\r\n").append(t3);
    return out;
}

std::string TypedAnswerLine(std::string_view answer, std::string_view t1, std::string_view t2,
                            std::string_view t3) {
    const std::string typed = Nfc(answer);
    for (std::string_view t : {t1, t2, t3})
        if (!t.empty() && text::DiffersOnlyInForm(typed, Nfc(t)))
            return "\r\nIhre Eingabe: \u201E" + typed + "\u201C";
    return {};
}

std::string ScoreText(int right, int wrong) {
    return std::to_string(right) + " Richtig und " + std::to_string(wrong) + " Falsch";
}

std::string ProgressText(int done, int count) {
    return std::to_string(done) + "/" + std::to_string(count);
}

}  // namespace morvanta::quiz
