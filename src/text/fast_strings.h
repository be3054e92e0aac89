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

// The first n characters of t (all of t when shorter, empty for n <= 0).
std::string TakeLeft(std::string_view t, int n);

}  // namespace morvanta::text
