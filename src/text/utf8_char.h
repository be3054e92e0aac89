#pragma once
// Small UTF-8 helpers: the one decoder of the program and what is built on it.

#include <cstddef>
#include <string>
#include <string_view>

namespace morvanta::text {

// The length (2 to 4) of the well-formed multi-byte sequence at p, its character
// in cp; 0 when p starts none (ASCII, a stray or cut-off sequence, an overlong
// form, a surrogate). Inline: the key order and LIKE decode every character.
inline int DecodeUtf8Sequence(const unsigned char* p, const unsigned char* end, char32_t& cp) {
    const unsigned char b = *p;
    int len = 0;
    char32_t min = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2, cp = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, cp = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, cp = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (end - p < len) return 0;
    for (int k = 1; k < len; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

// Every byte belongs to a well-formed character.
bool IsValidUtf8(std::string_view text);

// Decodes the character starting at text[pos] and advances pos past it.
// A malformed or truncated sequence yields U+FFFD and advances by one byte.
char32_t DecodeUtf8At(std::string_view text, std::size_t& pos);

// Appends cp as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

// The whole UTF-8 character that contains byte i (the byte alone when it is
// not part of a well-formed sequence).
std::string_view Utf8CharAround(std::string_view text, std::size_t i);

}  // namespace morvanta::text
