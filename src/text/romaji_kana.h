#pragma once
// Romaji typed on a Latin keyboard, turned into kana as a Japanese input method
// does: "gakkou" -> がっこう, "kon'nichiha" -> こんにちは, "ko-hi-" -> こーひー.
// Syllables typed in capitals become katakana ("TEREBI" -> テレビ).

#include <string>
#include <string_view>

namespace morvanta::text {

struct RomajiConversion {
    std::string kana;     // UTF-8: what the typed letters have become
    std::string pending;  // the Latin tail that may still become a syllable ("ky", "n")
};

// Converts as much of the typed Latin text as is settled. With `final`, a
// pending "n" becomes ん and any other tail stays Latin in `kana`.
RomajiConversion RomajiToKana(std::string_view typed, bool final = false);

// True for the characters the conversion takes: Latin letters, '-' and '\''.
bool IsRomajiKey(char c);

}  // namespace morvanta::text
