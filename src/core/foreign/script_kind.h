#pragma once
// What kind of writing a field holds: the column mapping tells the word (with
// kanji) from its reading (kana only) and its translations (Latin).

#include <string_view>

namespace morvanta::foreign {

enum class ScriptKind { Empty, Kana, Kanji, Latin, Other };

// Kanji when any kanji is there; Kana when kana (and perhaps marks, digits,
// blanks) only; Latin when Latin letters and no Japanese; Other otherwise.
ScriptKind ScriptOf(std::string_view utf8);

// Any kana or kanji.
bool HasJapanese(std::string_view utf8);

}  // namespace morvanta::foreign
