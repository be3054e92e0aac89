#pragma once
// A forgiving check of a German answer against a word's stored translations: it
// accepts what a teacher would let pass (blanks, case, "ae" for "ä", a missing
// article, a remark in parentheses, one typo in a long word). UTF-8 texts.

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace morvanta::text {

enum class MatchKind { None, Exact, Tolerant };

struct ToleranceResult {
    MatchKind kind = MatchKind::None;
    int translation = -1;   // 0..2, the stored translation that matched
    std::string_view rule;  // for Tolerant, the rule that let it pass (static text)

    bool operator==(const ToleranceResult&) const = default;
};

// A translation allows each of its ";"-separated alternatives as a translation of its
// own, and a word with an ending in parentheses ("Lehrer(in)") with and without it.
// Exact when the answer equals a non-empty translation or one of those forms byte for
// byte. Otherwise the mildest rule under which some form matches, the first
// translation on a tie:
//   "Leerzeichen"    blanks trimmed, runs of spaces and tabs made one space
//   "Großschreibung" and case
//   "Umschrift"      and ae/oe/ue/ss for ä/ö/ü/ß, accents dropped (é = e)
//   "Artikel"        and a leading der/die/das/des/dem/den/ein/eine/… on either side
//   "Verbform"       and a leading "sich", or "zu" before an infinitive, on either side
//   "Zusatz"         and the stored text without a remark in (…)
//   "Tippfehler"     and one letter inserted, left out, replaced or swapped with its
//                    neighbour, when the stored form has six letters or more and no
//                    typed word outside that form's words is a real word (isRealWord)
// An empty or blank answer never matches; empty translations are skipped.
// isRealWord gets one word in SpellingKey form; without it every such edit is a typo.
using IsRealWord = std::function<bool(std::string_view key)>;
ToleranceResult MatchTolerantly(std::string_view answer,
                                const std::array<std::string_view, 3>& translations,
                                const IsRealWord& isRealWord = {});

// The form in which the "Umschrift" rule compares a text: blanks collapsed, upper
// case, ae/oe/ue/ss for ä/ö/ü/ß, accents dropped. A word list kept in this form
// answers isRealWord.
std::string SpellingKey(std::string_view text);

// True when the answer is not the translation byte for byte but equals it apart from
// blanks, case and the ae/oe/ue/ss spellings.
bool DiffersOnlyInForm(std::string_view answer, std::string_view translation);

}  // namespace morvanta::text
