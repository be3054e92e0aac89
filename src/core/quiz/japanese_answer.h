#pragma once
// Asked the other way round: the German translations are shown and the learner
// types the Japanese word, as romaji, kana or kanji.

#include <string>
#include <string_view>

namespace morvanta::quiz {

struct JapaneseVerdict {
    bool right = false;
    std::string nearly;  // a tolerant acceptance: "Fast richtig: とうきょう (langer Vokal)"
};

// Right when the answer (romaji become kana; a lone trailing n is ん) equals the
// word's reading with hiragana and katakana taken alike, or its kanji text. Blanks
// around the answer never count; texts are compared in Unicode NFC. With tolerant,
// a long vowel typed either way (おう/おお/おー, えい/ええ/えー, …) and ・ or blanks
// inside count as the same. reading and kanji are the fields' plain texts (UTF-8).
JapaneseVerdict CheckJapaneseAnswer(std::string_view answer, std::string_view reading,
                                    std::string_view kanji, bool tolerant);

// What the learner is shown in place of the Japanese word: the non-empty
// translations, " / " between them.
std::string GermanPrompt(std::string_view t1, std::string_view t2, std::string_view t3);

// "Nein - Die Vokabel war :" with kanji, kana and Hepburn on their own lines, and
// what was typed.
std::string WrongJapaneseMessage(std::string_view kanji, std::string_view reading,
                                 std::string_view hepburn, std::string_view answer);

}  // namespace morvanta::quiz
