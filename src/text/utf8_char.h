#pragma once
// Small UTF-8 helpers used inside the text routines.

#include <cstddef>
#include <string>
#include <string_view>

namespace morvanta::text {

// Decodes the character starting at text[pos] and advances pos past it.
// A malformed or truncated sequence yields U+FFFD and advances by one byte.
char32_t DecodeUtf8At(std::string_view text, std::size_t& pos);

// Appends cp as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

// The whole UTF-8 character that contains byte i (the byte alone when it is
// not part of a well-formed sequence).
std::string_view Utf8CharAround(std::string_view text, std::size_t i);

}  // namespace morvanta::text
