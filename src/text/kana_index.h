#pragma once
// Finds the romanisation rows by their Shift-JIS codes instead of by text.

#include <cstdint>

namespace morvanta::text {

inline constexpr int kNoRow = -1;

// Row of the one-kana key with code `code` (lead << 8 | trail), or kNoRow.
int SingleKanaRow(std::uint16_t code);
// Whether some two-kana key begins with the kana `first`.
bool StartsKanaPair(std::uint16_t first);
// Row of the two-kana key with codes `first` and `second`, or kNoRow.
int KanaPairRow(std::uint16_t first, std::uint16_t second);

}  // namespace morvanta::text
