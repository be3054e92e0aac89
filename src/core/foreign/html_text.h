#pragma once
// Field texts of other trainers hold HTML; the words take plain text.

#include <string>
#include <string_view>

namespace morvanta::foreign {

// Tags dropped, a line break (<br>, a block's end) becomes "; ", entities
// decoded (named, decimal and hexadecimal), runs of blanks made one, the
// result trimmed. Furigana in brackets stays as it is.
std::string HtmlToText(std::string_view html);

}  // namespace morvanta::foreign
