#include "text/kana_index.h"

#include <stdexcept>
#include <string_view>

#include "text/fast_strings.h"
#include "text/kana_table.h"

namespace morvanta::text {

namespace {

// The code of the kana whose escapes start at key[at] ("\'82\'a0" -> 0x82A0).
std::uint16_t CodeAt(std::string_view key, std::size_t at) {
    const int lead = LowerHexDigitValue(key[at + 2]) * 16 + LowerHexDigitValue(key[at + 3]);
    const int trail = LowerHexDigitValue(key[at + 6]) * 16 + LowerHexDigitValue(key[at + 7]);
    return static_cast<std::uint16_t>(lead << 8 | trail);
}

}  // namespace

KanaIndex::KanaIndex() {
    single_.fill(kNoRow);
    pairGroup_.fill(-1);
    int groupCount = 0;
    const auto& table = KanaTable();
    for (std::size_t row = 0; row < table.size(); ++row) {
        const std::string_view key = table[row].key;
        const auto r = static_cast<std::int16_t>(row);
        const std::uint16_t first = CodeAt(key, 0);
        if (!IsKanaCode(first) || (key.size() == 16 && !IsKanaCode(CodeAt(key, 8))))
            throw std::logic_error("kana index: a key outside the kana lead bytes");
        if (key.size() == 8) {
            single_[Slot(first)] = r;
            continue;
        }
        std::int16_t& group = pairGroup_[Slot(first)];
        if (group < 0) group = static_cast<std::int16_t>(groupCount++);
        auto& entries = groups_.at(static_cast<std::size_t>(group));
        auto free = entries.begin();
        while (free != entries.end() && free->row != kNoRow) ++free;
        if (free == entries.end()) throw std::logic_error("kana index: too many pairs for one kana");
        *free = {CodeAt(key, 8), r};
    }
}

const KanaIndex& KanaIndex::Get() {
    static const KanaIndex index;
    return index;
}

}  // namespace morvanta::text
