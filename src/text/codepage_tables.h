#pragma once
// Lookup tables for Shift-JIS (code page 932) and Windows-1252, filled from
// iconv when first needed (Shift-JIS decoding one lead byte's row at a time), so
// that per-character conversions cost a table read.

#include <cstdint>

namespace morvanta::text {

inline bool IsCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool IsCp932Trail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Shift-JIS code of cp (a value below 0x100 is one byte), or 0 when code page
// 932 has no place for it. Only codes that decode back to cp are given.
std::uint16_t Cp932CodeOf(char32_t cp);
// The character of a one-byte or two-byte Shift-JIS code, or 0 when unmapped.
char32_t Cp932CharOf(std::uint16_t code);

// Windows-1252 byte of cp, or -1.
int Cp1252ByteOf(char32_t cp);
// The character of a Windows-1252 byte (U+FFFD for the five unassigned bytes).
char32_t Cp1252CharOf(unsigned char b);

}  // namespace morvanta::text
