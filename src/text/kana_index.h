#pragma once
// Finds the romanisation rows by their Shift-JIS codes instead of by text.

#include <array>
#include <cstdint>

namespace morvanta::text {

inline constexpr int kNoRow = -1;

class KanaIndex {
public:
    // Row of the one-kana key with code `code` (lead << 8 | trail), or kNoRow.
    int SingleRow(std::uint16_t code) const { return IsKanaCode(code) ? single_[Slot(code)] : kNoRow; }
    // Whether some two-kana key begins with the kana `first`.
    bool StartsPair(std::uint16_t first) const { return IsKanaCode(first) && pairGroup_[Slot(first)] >= 0; }
    // Row of the two-kana key with codes `first` and `second`, or kNoRow.
    int PairRow(std::uint16_t first, std::uint16_t second) const {
        const int group = IsKanaCode(first) ? pairGroup_[Slot(first)] : -1;
        if (group < 0) return kNoRow;
        for (const PairEntry& e : groups_[static_cast<std::size_t>(group)]) {
            if (e.row == kNoRow) break;
            if (e.second == second) return e.row;
        }
        return kNoRow;
    }

    static const KanaIndex& Get();

private:
    KanaIndex();

    // Every kana of the table has the lead byte 0x82 (hiragana) or 0x83
    // (katakana); small tables keep the lookups in the fastest cache.
    static bool IsKanaCode(std::uint16_t code) { return (code >> 8) - 0x82u <= 1u; }
    static std::size_t Slot(std::uint16_t code) { return code - 0x8200u; }

    struct PairEntry {
        std::uint16_t second = 0;
        std::int16_t row = kNoRow;
    };
    // Two-kana rows grouped by their first kana; no first kana has more than
    // eight partners.
    std::array<std::int16_t, 0x200> single_;
    std::array<std::int16_t, 0x200> pairGroup_;  // group number by first code, or -1
    std::array<std::array<PairEntry, 8>, 64> groups_{};
};

}  // namespace morvanta::text
