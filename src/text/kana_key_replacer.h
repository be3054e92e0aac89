#pragma once
// Applies the romanisation table to a text: for each row in table order, every
// occurrence of its key (left to right, without overlap) becomes its romaji.

#include <optional>
#include <string>
#include <string_view>

namespace morvanta::text {

std::string ReplaceKanaKeys(std::string_view text);

// The two ways ReplaceKanaKeys works, visible for tests.
//
// Romaji are letters, and a, b, d, e, f are hex digits too: in "\'82\'" followed
// by the keys of あ and え, the romaji "a" and "e" spell the key of ぐ once both
// rows have had their pass, and the row of ぐ then replaces it. That can only
// happen where an escape is cut short by the next one ("\'\'" or "\'x\'").
//
// Row by row, following what each replacement joins; right for every text.
std::string ReplaceKanaKeysStepwise(std::string_view text);
// One scan over the keys as they stand; nothing when the text has a place
// where romaji could join a key.
std::optional<std::string> ReplaceKanaKeysDirect(std::string_view text);

}  // namespace morvanta::text
