#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "text/fast_strings.h"
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
    for (int c = 0; c < 256; ++c)
        t[static_cast<std::size_t>(c)] =
            static_cast<std::int8_t>(LowerHexDigitValue(static_cast<char>(c)));
    return t;
}();

// The byte of the lower-case escape at t[i], or -1.
[[gnu::always_inline]] inline int EscapeByteAt(std::string_view t, std::size_t i) {
    if (i + 3 >= t.size() || t[i] != '\\' || t[i + 1] != '\'') return -1;
    const int hi = kLowerHex[static_cast<unsigned char>(t[i + 2])];
    const int lo = kLowerHex[static_cast<unsigned char>(t[i + 3])];
    return (hi | lo) < 0 ? -1 : hi * 16 + lo;
}

// An escape cut short by the next one ("\'\'" or "\'x\'") is where romaji could
// later fill in hex digits.
bool CutShort(std::string_view t, std::size_t i) {
    return (i + 3 < t.size() && t[i + 2] == '\\' && t[i + 3] == '\'') ||
           (i + 4 < t.size() && t[i + 3] == '\\' && t[i + 4] == '\'');
}

// Writes the text with its chosen keys replaced, left to right. Keys that
// overlap form a cluster, settled as the row-by-row passes settle it: the
// earlier row wins, and a key that lost characters to it is gone.
class DirectWriter {
public:
    // Romaji are shorter than their keys, so the result fits in the text's length.
    explicit DirectWriter(std::string_view t) : t_(t), table_(KanaTable()) {
        out_.resize(t.size());
        cluster_.reserve(16);
    }

    void Add(const KeyHit& h) {
        if (!cluster_.empty() && h.pos >= clusterEnd_) Flush();
        cluster_.push_back(h);
        clusterEnd_ = std::max(clusterEnd_, h.end());
    }

    std::string Finish() {
        Flush();
        Copy(t_.data() + copied_, t_.size() - copied_);
        out_.resize(written_);
        return std::move(out_);
    }

private:
    void Flush() {
        if (cluster_.size() == 2) {
            // Two keys that overlap: the earlier row takes the place alone.
            if (cluster_[1].row < cluster_[0].row) cluster_[0] = cluster_[1];
            cluster_.pop_back();
        } else if (cluster_.size() > 2) {
            Settle();
        }
        for (const KeyHit& h : cluster_) Emit(h);
        cluster_.clear();
        clusterEnd_ = 0;
    }

    // Leaves in cluster_ only the keys that win, in order of position.
    void Settle() {
        std::sort(cluster_.begin(), cluster_.end(),
                  [](const KeyHit& a, const KeyHit& b) { return a.row != b.row ? a.row < b.row : a.pos < b.pos; });
        kept_.clear();
        for (const KeyHit& h : cluster_) {
            const bool free = std::none_of(kept_.begin(), kept_.end(),
                                           [&](const KeyHit& k) { return h.pos < k.end() && k.pos < h.end(); });
            if (free) kept_.push_back(h);
        }
        std::sort(kept_.begin(), kept_.end(), [](const KeyHit& a, const KeyHit& b) { return a.pos < b.pos; });
        cluster_.swap(kept_);
    }

    void Emit(const KeyHit& h) {
        Copy(t_.data() + copied_, h.pos - copied_);
        for (char c : table_[static_cast<std::size_t>(h.row)].romaji) out_[written_++] = c;
        copied_ = h.end();
    }

    void Copy(const char* from, std::size_t n) {
        if (n == 0) return;
        std::memcpy(out_.data() + written_, from, n);
        written_ += n;
    }

    std::string_view t_;
    const std::array<KanaRow, kKanaRowCount>& table_;
    std::string out_;
    std::size_t written_ = 0;
    std::size_t copied_ = 0;
    std::vector<KeyHit> cluster_;
    std::vector<KeyHit> kept_;
    std::size_t clusterEnd_ = 0;
};

}  // namespace

std::optional<std::string> ReplaceKanaKeysDirect(std::string_view t) {
    const KanaIndex& index = KanaIndex::Get();
    DirectWriter writer(t);
    const std::size_t n = t.size();
    // In a run of escapes each one is looked at as the second byte of one
    // place and the first of the next; keep it for the next place.
    std::size_t knownAt = std::string_view::npos;
    int known = -1;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (t[i] != '\\' || t[i + 1] != '\'') continue;
        if (CutShort(t, i)) return std::nullopt;
        const int b1 = knownAt == i ? known : EscapeByteAt(t, i);
        if (b1 < 0) continue;
        const std::size_t next = i + 3;  // the hex digits hold no backslash
        const int b2 = EscapeByteAt(t, i + 4);
        knownAt = i + 4;
        known = b2;
        if (b2 < 0) {
            i = next;
            continue;
        }
        const auto first = static_cast<std::uint16_t>(b1 << 8 | b2);
        const int single = index.SingleRow(first);
        if (single != kNoRow) writer.Add({i, single, 8});
        if (index.StartsPair(first)) {
            const int b3 = EscapeByteAt(t, i + 8);
            const int b4 = b3 < 0 ? -1 : EscapeByteAt(t, i + 12);
            const int pair = b4 < 0 ? kNoRow : index.PairRow(first, static_cast<std::uint16_t>(b3 << 8 | b4));
            if (pair != kNoRow) writer.Add({i, pair, 16});
        }
        i = next;
    }
    return writer.Finish();
}

}  // namespace morvanta::text
