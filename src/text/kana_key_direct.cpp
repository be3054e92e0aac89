#include <algorithm>
#include <optional>
#include <array>
#include <cstdint>
#include <vector>

#include "text/kana_index.h"
#include "text/kana_key_replacer.h"
#include "text/kana_table.h"

namespace morvanta::text {

namespace {

struct KeyHit {
    std::size_t pos;
    int row;
    std::size_t len;
    std::size_t end() const { return pos + len; }
};

constexpr std::array<std::int8_t, 256> kLowerHex = [] {
    std::array<std::int8_t, 256> t{};
    t.fill(-1);
    for (int c = '0'; c <= '9'; ++c) t[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c) t[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - 'a' + 10);
    return t;
}();

int EscapeByteAt(std::string_view t, std::size_t i) {
    if (i + 3 >= t.size() || t[i] != '\\' || t[i + 1] != '\'') return -1;
    const int hi = kLowerHex[static_cast<unsigned char>(t[i + 2])];
    const int lo = kLowerHex[static_cast<unsigned char>(t[i + 3])];
    return (hi | lo) < 0 ? -1 : hi * 16 + lo;
}

// Writes the text with its chosen keys replaced, left to right. Keys that
// overlap form a cluster, settled as the row-by-row passes settle it: the
// earlier row wins, and a key that lost characters to it is gone.
class DirectWriter {
public:
    explicit DirectWriter(std::string_view t) : t_(t) { out_.reserve(t.size()); }

    void Add(const KeyHit& h) {
        if (!cluster_.empty() && h.pos >= clusterEnd_) Flush();
        cluster_.push_back(h);
        clusterEnd_ = std::max(clusterEnd_, h.end());
    }

    std::string Finish() {
        Flush();
        out_.append(t_, copied_);
        return std::move(out_);
    }

private:
    void Flush() {
        if (cluster_.size() > 1) Settle();
        for (const KeyHit& h : cluster_) Emit(h);
        cluster_.clear();
        clusterEnd_ = 0;
    }

    // Leaves in cluster_ only the keys that win, in order of position.
    void Settle() {
        std::sort(cluster_.begin(), cluster_.end(),
                  [](const KeyHit& a, const KeyHit& b) { return a.row != b.row ? a.row < b.row : a.pos < b.pos; });
        std::vector<KeyHit> kept;
        for (const KeyHit& h : cluster_) {
            const bool free = std::none_of(kept.begin(), kept.end(),
                                           [&](const KeyHit& k) { return h.pos < k.end() && k.pos < h.end(); });
            if (free) kept.push_back(h);
        }
        std::sort(kept.begin(), kept.end(), [](const KeyHit& a, const KeyHit& b) { return a.pos < b.pos; });
        cluster_.swap(kept);
    }

    void Emit(const KeyHit& h) {
        out_.append(t_, copied_, h.pos - copied_);
        out_.append(KanaTable()[static_cast<std::size_t>(h.row)].romaji);
        copied_ = h.end();
    }

    std::string_view t_;
    std::string out_;
    std::size_t copied_ = 0;
    std::vector<KeyHit> cluster_;
    std::size_t clusterEnd_ = 0;
};

// An escape cut short by the next one ("\'\'" or "\'x\'") is where romaji could
// later fill in hex digits.
bool CutShort(std::string_view t, std::size_t i) {
    return (i + 3 < t.size() && t[i + 2] == '\\' && t[i + 3] == '\'') ||
           (i + 4 < t.size() && t[i + 3] == '\\' && t[i + 4] == '\'');
}

}  // namespace

std::optional<std::string> ReplaceKanaKeysDirect(std::string_view t) {
    DirectWriter writer(t);
    const std::size_t n = t.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (t[i] != '\\' || t[i + 1] != '\'') continue;
        if (CutShort(t, i)) return std::nullopt;
        const int b1 = EscapeByteAt(t, i);
        if (b1 < 0) continue;
        const int b2 = EscapeByteAt(t, i + 4);
        if (b2 < 0) continue;
        const auto first = static_cast<std::uint16_t>(b1 << 8 | b2);
        const int single = SingleKanaRow(first);
        if (single != kNoRow) writer.Add({i, single, 8});
        if (StartsKanaPair(first)) {
            const int b3 = EscapeByteAt(t, i + 8);
            const int b4 = b3 < 0 ? -1 : EscapeByteAt(t, i + 12);
            const int pair = b4 < 0 ? kNoRow : KanaPairRow(first, static_cast<std::uint16_t>(b3 << 8 | b4));
            if (pair != kNoRow) writer.Add({i, pair, 16});
        }
    }
    return writer.Finish();
}

}  // namespace morvanta::text
