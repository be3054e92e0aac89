#pragma once
// Conversions between the program's UTF-8 and the code pages of its files
// (Windows-1252) and of the RTF escapes (Shift-JIS, code page 932), through iconv.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace morvanta::text {

class CodePageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Windows-1252 bytes to UTF-8 (undefined bytes become U+FFFD).
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252; characters without a place become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
// One code point in Windows-1252, if it has a place there.
std::optional<unsigned char> CodePointToCp1252(char32_t cp);
// One code point in Shift-JIS (1 or 2 bytes), if it has a place there.
std::optional<std::string> CodePointToCp932(char32_t cp);
// Shift-JIS bytes to UTF-8 (undecodable bytes become U+FFFD).
std::string Cp932ToUtf8(std::string_view bytes);

// UTF-8 helpers.
std::u32string Utf8ToCodePoints(std::string_view utf8);
std::string CodePointsToUtf8(std::u32string_view cps);

// Upper-cases the letters that Windows-1252 holds (a-z, à-þ, š, œ, ÿ) through the
// fold table; every other character stays as it is. Input and output UTF-8.
std::string UpperCase1252(std::string_view utf8);

}  // namespace morvanta::text
