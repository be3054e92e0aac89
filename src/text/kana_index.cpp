#include "text/kana_index.h"

#include <array>

#include "text/kana_table.h"

namespace morvanta::text {

namespace {

int HexValue(char c) { return c <= '9' ? c - '0' : c - 'a' + 10; }

// The code of the kana whose escapes start at key[at] ("\'82\'a0" -> 0x82A0).
std::uint16_t CodeAt(std::string_view key, std::size_t at) {
    const int lead = HexValue(key[at + 2]) * 16 + HexValue(key[at + 3]);
    const int trail = HexValue(key[at + 6]) * 16 + HexValue(key[at + 7]);
    return static_cast<std::uint16_t>(lead << 8 | trail);
}

struct PairEntry {
    std::uint16_t second = 0;
    std::int16_t row = kNoRow;
};

// Two-kana rows grouped by their first kana; no first kana has more than
// eight partners.
struct Index {
    std::array<std::int16_t, 0x10000> single;
    std::array<std::int16_t, 0x10000> pairGroup;  // group number by first code, or -1
    std::array<std::array<PairEntry, 8>, 64> groups{};
};

Index BuildIndex() {
    Index idx;
    idx.single.fill(kNoRow);
    idx.pairGroup.fill(-1);
    int groupCount = 0;
    const auto& table = KanaTable();
    for (std::size_t row = 0; row < table.size(); ++row) {
        const std::string_view key = table[row].key;
        const auto r = static_cast<std::int16_t>(row);
        if (key.size() == 8) {
            idx.single[CodeAt(key, 0)] = r;
            continue;
        }
        std::int16_t& group = idx.pairGroup[CodeAt(key, 0)];
        if (group < 0) group = static_cast<std::int16_t>(groupCount++);
        for (PairEntry& e : idx.groups[static_cast<std::size_t>(group)]) {
            if (e.row == kNoRow) {
                e = {CodeAt(key, 8), r};
                break;
            }
        }
    }
    return idx;
}

const Index& TheIndex() {
    static const Index idx = BuildIndex();
    return idx;
}

}  // namespace

int SingleKanaRow(std::uint16_t code) { return TheIndex().single[code]; }

bool StartsKanaPair(std::uint16_t first) { return TheIndex().pairGroup[first] >= 0; }

int KanaPairRow(std::uint16_t first, std::uint16_t second) {
    const Index& idx = TheIndex();
    const int group = idx.pairGroup[first];
    if (group < 0) return kNoRow;
    for (const PairEntry& e : idx.groups[static_cast<std::size_t>(group)]) {
        if (e.row == kNoRow) break;
        if (e.second == second) return e.row;
    }
    return kNoRow;
}

}  // namespace morvanta::text
