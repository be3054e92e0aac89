#pragma once
// The rich-text codec: plain text <-> complete RTF document in which every
// Japanese character is written as lower-case Shift-JIS escapes under a
// \fcharset128 font. It stands in for a rich-text edit's load and save.

#include <string>
#include <string_view>

namespace morvanta::text {

// UTF-8 plain text (lines separated by '\n') to a complete RTF document.
std::string PlainTextToRtf(std::string_view utf8);

// Any RTF document (or plain text) to UTF-8 plain text; never throws on bad input.
// Text that does not start with "{\rtf" is taken as plain text.
std::string RtfToPlainText(std::string_view rtf);

}  // namespace morvanta::text
