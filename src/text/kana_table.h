#pragma once
// The kana romanisation table: 240 rows in their fixed order. Keys are the
// lower-case escape text of one or two Shift-JIS kana.

#include <array>
#include <string_view>

namespace morvanta::text {

struct KanaRow {
    std::string_view key;     // e.g. "\\'82\\'ab\\'82\\'e1"
    std::string_view romaji;  // e.g. "kya"
};

inline constexpr std::size_t kKanaRowCount = 240;

const std::array<KanaRow, kKanaRowCount>& KanaTable();

}  // namespace morvanta::text
