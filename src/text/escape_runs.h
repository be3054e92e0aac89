#pragma once
// Routines on the RTF escape runs that carry Japanese text in the Kanji and
// Hira-Kata fields: "\'82\'a0" is one Shift-JIS character (two escapes).
// All texts are byte strings; escape runs are plain ASCII.

#include <string>
#include <string_view>

namespace morvanta::text {

// The stretch from the first "\'" escape to the end of the last one; a text
// without escapes comes back unchanged.
std::string IsolateRtfEscapes(std::string_view rtf);

// Romanises a run of kana escapes (lower-case hex) into Hepburn romaji.
// Runs on every keystroke in the kana field, so it is a single pass over the text.
std::string KanaToHepburn(std::string_view escapes);

// Wraps an escape run into a one-paragraph RTF document with a Japanese font.
std::string WrapJapaneseRtf(std::string_view escapes);

}  // namespace morvanta::text
