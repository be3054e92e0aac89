#pragma once
// The escape run of a stored Kanji or Hira-Kata rich text, as the lists copy it,
// and one character as the lists write it.

#include <string>
#include <string_view>

namespace morvanta::exchange {

// IsolateRtfEscapes of the text, widened to \uN? escapes (characters outside
// Shift-JIS) at either end, or the empty text when it holds no escape at all:
// an RTF document without Japanese characters must not land in a list as RTF
// source.
std::string EscapeRunOf(std::string_view storedRtf);

// The same, as a view into the text.
std::string_view EscapeRunView(std::string_view storedRtf);

// Lower-case Shift-JIS escapes when code page 932 holds the character,
// otherwise its \uN? escape (a surrogate pair above U+FFFF).
std::string RtfCharacter(char32_t cp);

// Appends \uN?: N is a signed 16-bit UTF-16 unit, the '?' stands in for readers
// without \u (the documents declare \uc1).
void AppendUnicodeEscape(std::string& out, char32_t cp);

}  // namespace morvanta::exchange
