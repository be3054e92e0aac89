#pragma once
// The escape run of a stored Kanji or Hira-Kata rich text, as the lists copy it.

#include <string>
#include <string_view>

namespace morvanta::exchange {

// IsolateRtfEscapes of the text, or the empty text when it holds no escape at
// all: an RTF document without Japanese characters must not land in a list as
// RTF source.
std::string EscapeRunOf(std::string_view storedRtf);

// The same, as a view into the text: the kanji list cuts every stored text of
// a large selection and needs no copy.
std::string_view EscapeRunView(std::string_view storedRtf);

}  // namespace morvanta::exchange
