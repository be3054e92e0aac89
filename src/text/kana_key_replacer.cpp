#include "text/kana_key_replacer.h"

#include <cstdint>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "text/fast_strings.h"
#include "text/kana_index.h"
#include "text/kana_table.h"

namespace morvanta::text {

namespace {

// The rows are applied one after another, as replace-all passes would be, but
// each pass only visits the places where its key occurs. Every replacement
// looks back for keys that now run into its romaji and queues them for their row.
//
// The text is a doubly linked list of characters, so a replacement is a local
// relink and every other position stays where it is.
class KeyReplacer {
public:
    explicit KeyReplacer(std::string_view text);
    std::string Run();

private:
    static constexpr int kNone = -1;

    int EscapeByteAt(int node, int& after) const;
    void RowsAt(int node, int& single, int& pair) const;
    bool KeyStartsAt(int node, std::string_view key) const;
    void Replace(int node, int row);
    void QueueKeysReachingInto(int node, int row);
    void Queue(int row, int node) { queue_.emplace(row, node); }
    void ScanOriginal(std::string_view text);

    std::vector<char> ch_;
    std::vector<int> next_;
    std::vector<int> prev_;
    std::vector<std::uint8_t> alive_;
    int head_ = kNone;
    // Candidate key starts, by row: (row, node), earliest row on top.
    std::priority_queue<std::pair<int, int>, std::vector<std::pair<int, int>>, std::greater<>> queue_;
};

KeyReplacer::KeyReplacer(std::string_view text) {
    const int n = static_cast<int>(text.size());
    // Each replacement adds at most three romaji nodes for at least eight removed.
    const std::size_t cap = text.size() + text.size() / 2 + 4;
    ch_.reserve(cap);
    next_.reserve(cap);
    prev_.reserve(cap);
    alive_.reserve(cap);
    ch_.assign(text.begin(), text.end());
    next_.resize(text.size());
    prev_.resize(text.size());
    alive_.assign(text.size(), 1);
    for (int i = 0; i < n; ++i) {
        next_[static_cast<std::size_t>(i)] = i + 1 < n ? i + 1 : kNone;
        prev_[static_cast<std::size_t>(i)] = i - 1;
    }
    head_ = n > 0 ? 0 : kNone;
    ScanOriginal(text);
}

// All keys present before any replacement, found on the flat text.
void KeyReplacer::ScanOriginal(std::string_view text) {
    const std::size_t n = text.size();
    std::vector<std::int16_t> esc(n, -1);
    for (std::size_t i = 0; i + 3 < n; ++i) {
        if (text[i] != '\\' || text[i + 1] != '\'') continue;
        const int hi = LowerHexDigitValue(text[i + 2]);
        const int lo = LowerHexDigitValue(text[i + 3]);
        if (hi >= 0 && lo >= 0) esc[i] = static_cast<std::int16_t>(hi * 16 + lo);
    }
    const KanaIndex& index = KanaIndex::Get();
    auto code = [&](std::size_t i) { return static_cast<std::uint16_t>(esc[i] << 8 | esc[i + 4]); };
    for (std::size_t i = 0; i + 7 < n; ++i) {
        if (esc[i] < 0 || esc[i + 4] < 0) continue;
        const int single = index.SingleRow(code(i));
        if (single != kNoRow) Queue(single, static_cast<int>(i));
        if (i + 15 < n && esc[i + 8] >= 0 && esc[i + 12] >= 0) {
            const int pair = index.PairRow(code(i), code(i + 8));
            if (pair != kNoRow) Queue(pair, static_cast<int>(i));
        }
    }
}

int KeyReplacer::EscapeByteAt(int node, int& after) const {
    if (node == kNone || ch_[static_cast<std::size_t>(node)] != '\\') return -1;
    const int apostrophe = next_[static_cast<std::size_t>(node)];
    if (apostrophe == kNone || ch_[static_cast<std::size_t>(apostrophe)] != '\'') return -1;
    const int h = next_[static_cast<std::size_t>(apostrophe)];
    if (h == kNone) return -1;
    const int l = next_[static_cast<std::size_t>(h)];
    if (l == kNone) return -1;
    const int hi = LowerHexDigitValue(ch_[static_cast<std::size_t>(h)]);
    const int lo = LowerHexDigitValue(ch_[static_cast<std::size_t>(l)]);
    if (hi < 0 || lo < 0) return -1;
    after = next_[static_cast<std::size_t>(l)];
    return hi * 16 + lo;
}

void KeyReplacer::RowsAt(int node, int& single, int& pair) const {
    const KanaIndex& index = KanaIndex::Get();
    single = pair = kNoRow;
    int at = node;
    int bytes[4];
    int count = 0;
    for (; count < 4; ++count) {
        bytes[count] = EscapeByteAt(at, at);
        if (bytes[count] < 0) break;
    }
    if (count < 2) return;
    const auto first = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
    single = index.SingleRow(first);
    if (count == 4) pair = index.PairRow(first, static_cast<std::uint16_t>(bytes[2] << 8 | bytes[3]));
}

bool KeyReplacer::KeyStartsAt(int node, std::string_view key) const {
    for (char c : key) {
        if (node == kNone || ch_[static_cast<std::size_t>(node)] != c) return false;
        node = next_[static_cast<std::size_t>(node)];
    }
    return true;
}

void KeyReplacer::Replace(int node, int row) {
    const KanaRow& r = KanaTable()[static_cast<std::size_t>(row)];
    const int before = prev_[static_cast<std::size_t>(node)];
    int after = node;
    for (std::size_t k = 0; k < r.key.size(); ++k) {
        alive_[static_cast<std::size_t>(after)] = 0;
        after = next_[static_cast<std::size_t>(after)];
    }
    int last = before;
    int first = kNone;
    for (char c : r.romaji) {
        const int id = static_cast<int>(ch_.size());
        ch_.push_back(c);
        prev_.push_back(last);
        next_.push_back(kNone);
        alive_.push_back(1);
        if (last == kNone)
            head_ = id;
        else
            next_[static_cast<std::size_t>(last)] = id;
        if (first == kNone) first = id;
        last = id;
    }
    next_[static_cast<std::size_t>(last)] = after;
    if (after != kNone) prev_[static_cast<std::size_t>(after)] = last;
    QueueKeysReachingInto(first, row);
}

// A key that now runs into the romaji at `node` starts at most 15 characters
// before it. Rows up to `row` have had their pass, so only later ones are queued.
void KeyReplacer::QueueKeysReachingInto(int node, int row) {
    int at = prev_[static_cast<std::size_t>(node)];
    for (int distance = 1; distance < 16 && at != kNone; ++distance, at = prev_[static_cast<std::size_t>(at)]) {
        if (ch_[static_cast<std::size_t>(at)] != '\\') continue;
        int single = kNoRow;
        int pair = kNoRow;
        RowsAt(at, single, pair);
        if (single > row && distance < 8) Queue(single, at);
        if (pair > row) Queue(pair, at);
    }
}

std::string KeyReplacer::Run() {
    const auto& table = KanaTable();
    std::vector<int> candidates;
    std::vector<int> found;
    while (!queue_.empty()) {
        const int row = queue_.top().first;
        candidates.clear();
        for (; !queue_.empty() && queue_.top().first == row; queue_.pop()) candidates.push_back(queue_.top().second);
        // Decide every occurrence on the text as it stands before this row's
        // pass; what the pass itself inserts is not searched again.
        const std::string_view key = table[static_cast<std::size_t>(row)].key;
        found.clear();
        for (int node : candidates)
            if (alive_[static_cast<std::size_t>(node)] && KeyStartsAt(node, key)) found.push_back(node);
        for (int node : found)
            if (alive_[static_cast<std::size_t>(node)]) Replace(node, row);
    }
    std::string out;
    out.reserve(ch_.size());
    for (int at = head_; at != kNone; at = next_[static_cast<std::size_t>(at)]) out += ch_[static_cast<std::size_t>(at)];
    return out;
}

}  // namespace

std::string ReplaceKanaKeysStepwise(std::string_view text) { return KeyReplacer(text).Run(); }

std::string ReplaceKanaKeys(std::string_view text) {
    if (auto direct = ReplaceKanaKeysDirect(text)) return std::move(*direct);
    return ReplaceKanaKeysStepwise(text);
}

}  // namespace morvanta::text
