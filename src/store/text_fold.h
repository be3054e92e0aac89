#pragma once
// Letter folding for the table's key order and for LIKE: case-insensitive,
// aware of the German and other Windows-1252 letters. Bytes that are not valid
// UTF-8 are read as Windows-1252/Latin-1 characters, so old 8-bit text still sorts.

#include <string_view>

#include "text/fast_strings.h"

namespace morvanta::store {

// Reads one character at p (advancing p); never reads past end.
char32_t DecodeUtf8(const unsigned char*& p, const unsigned char* end);

using text::SameAsciiName;

// Lower case for ASCII, Latin-1 and Latin Extended-A letters.
char32_t FoldCase(char32_t c);

// Key order: case folded, accents dropped, ß as "ss", æ/œ as "ae"/"oe"
// (German dictionary order). Ties are broken by the caller, not here.
int CompareKey(std::string_view a, std::string_view b);

// Appends the key letters of a text as UTF-8, so that comparing two appended runs
// byte by byte orders them as CompareKey does. A code point 0 is written as 1:
// a zero byte separates fields in a sort key.
void AppendKeyLetters(std::string_view text, std::string& out);

// SQL LIKE: '%' any run, '_' one character, escape (0 = none); case-insensitive.
bool LikeMatch(std::string_view pattern, std::string_view text, char32_t escape);

}  // namespace morvanta::store
