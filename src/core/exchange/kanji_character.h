#pragma once
// Which characters of a stored Kanji text the kanji list takes.

#include <string>
#include <string_view>

namespace morvanta::exchange {

// A CJK ideograph: the unified ideographs with their extensions and the
// compatibility ideographs, which hold every kanji of Shift-JIS from 0x889F on
// and of the IBM/NEC extensions. Not kanji: the marks of the JIS symbol rows
// (ー 々 〆 〇 〃 仝 ヽ ヾ ゝ ゞ), kana, half-width katakana, punctuation,
// symbols, full-width Latin letters and digits, Greek, Cyrillic, radicals.
bool IsKanjiCharacter(char32_t cp);

// The kanji the stored rich text shows, in order, repeats included. The whole
// document is read as RTF: Shift-JIS escapes by their font's character set,
// \uN (a surrogate pair is one character), control words and plain text.
std::u32string KanjiOf(std::string_view storedRtf);
// The same for text already read out of its rich text (UTF-8).
std::u32string KanjiOfPlainText(std::string_view utf8);

}  // namespace morvanta::exchange
