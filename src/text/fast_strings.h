#pragma once
// String search and small string helpers shared across the program.
// Positions are 1-based, as the callers count them.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace morvanta::text {

// Upper-case fold table over Windows-1252: entry b is the capital of byte b.
// Built once, read-only afterwards.
const std::array<unsigned char, 256>& UpperFoldTable();

// 1-based position of Search in Source, or 0. Forward: leftmost occurrence at
// or after StartPos (StartPos >= 1). Backward: rightmost at or before StartPos
// (0 or past the last fitting position means the last fitting position).
int LocateText(std::string_view search, std::string_view source, bool caseSensitive,
               int startPos, bool forward);

class HexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Hexadecimal text to integer; throws HexError("Invalid hex character X").
std::int64_t ParseHexText(std::string_view hex);

// The value of a hexadecimal digit of either case, or -1.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
// The same for lower-case digits only, as the RTF escapes of the kana fields have them.
constexpr int LowerHexDigitValue(char c) { return c >= 'A' && c <= 'F' ? -1 : HexDigitValue(c); }

// The first n characters of t (all of t when shorter, empty for n <= 0).
std::string TakeLeft(std::string_view t, int n);

// t without the bytes up to ' ' (blanks and control characters) at either end.
std::string_view TrimControls(std::string_view t);
// A field of one line: CR LF, CR, LF and tab each become one blank.
std::string OneLine(std::string_view t);
// t without the bytes of blanks at either end.
std::string_view TrimBlanks(std::string_view t, std::string_view blanks);

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
// Names and keywords: equal but for the case of ASCII letters.
bool SameAsciiName(std::string_view a, std::string_view b);

}  // namespace morvanta::text
