#pragma once
// Romaji typed on a Latin keyboard, turned into kana as a Japanese input method
// does: "gakkou" -> がっこう, "kon'nichiha" -> こんにちは, "ko-hi-" -> こーひー.
//
// Capitals: a syllable whose first letter is a capital becomes katakana
// ("TEREBI" -> テレビ, "koHi" -> こヒ), except where a word is written as a
// German noun is: a capital at the start of a word followed by a lower-case
// letter only starts the word, so "Neko" -> ねこ, "Ame" -> あめ, "Ne" -> ね,
// while "NEKO" -> ネコ and "NE" -> ネ. A word starts at the start of the text
// (unless the caller says it goes on a word) and after a character that
// separates words: a blank, a digit, punctuation. Since a capital vowel at a
// word's start decides nothing before the next letter, "A" alone stays pending
// until then (or becomes ア when finished).

#include <string>
#include <string_view>

namespace morvanta::text {

struct RomajiConversion {
    std::string kana;     // UTF-8: what the typed letters have become
    std::string pending;  // the Latin tail that may still become a syllable ("ky", "n")
};

// Converts as much of the typed Latin text as is settled. With `final`, a
// pending "n" becomes ん and any other tail stays Latin in `kana`. With
// `midWord`, the text goes on a word already begun (the kana before the
// cursor), so its first capital is not a German noun's.
RomajiConversion RomajiToKana(std::string_view typed, bool final = false, bool midWord = false);

// True for the characters the conversion takes: Latin letters, '-' and '\''.
bool IsRomajiKey(char c);

// True for a character that ends a word: ASCII other than the romaji keys
// (blanks, digits, punctuation), the Latin-1, general and CJK punctuation and
// spaces, full-width punctuation. Letters of any script, kana, kanji and ー go on a word.
bool SeparatesWords(char32_t c);

}  // namespace morvanta::text
