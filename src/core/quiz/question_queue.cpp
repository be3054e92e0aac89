#include "core/quiz/question_queue.h"

#include <algorithm>

#include "core/quiz/random_source.h"
#include "text/fast_strings.h"

namespace morvanta::quiz {

namespace {

// Blocks split when they reach twice this size; keeps inserts at O(sqrt n).
constexpr std::size_t kBlockSize = 256;

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The free slots as a Fenwick tree of counts: taking the k-th free slot is one
// descent from the top and one climb to mark it taken, a few dozen steps each
// for 65,535 slots.
class FreeSlots {
public:
    explicit FreeSlots(int n) : n_(n), counts_(static_cast<std::size_t>(n) + 1) {
        // Every slot is free: node i counts the i & -i slots that end at i.
        for (int i = 1; i <= n; ++i) counts_[i] = i & -i;
        while (top_ * 2 <= n) top_ *= 2;
    }
    // Takes the k-th (0-based) free slot and returns its 0-based index.
    int take(int k) {
        int pos = 0;
        for (int step = top_; step > 0; step /= 2) {
            const int next = pos + step;
            if (next <= n_ && counts_[next] <= k) {
                pos = next;
                k -= counts_[next];
            }
        }
        for (int i = pos + 1; i <= n_; i += i & -i) --counts_[i];
        return pos;
    }

private:
    int n_;
    int top_ = 1;  // the highest power of two not above n
    std::vector<int> counts_;
};

std::vector<std::vector<std::uint16_t>> BlocksOf(const std::vector<std::uint16_t>& values) {
    std::vector<std::vector<std::uint16_t>> blocks;
    for (std::size_t i = 0; i < values.size(); i += kBlockSize) {
        const std::size_t end = std::min(values.size(), i + kBlockSize);
        blocks.emplace_back(values.begin() + i, values.begin() + end);
    }
    return blocks;
}

}  // namespace

std::string QueueEntry(int recNo) {
    QuestionQueue::checkRecNo(recNo);
    std::string out(4, '0');
    for (int i = 3; i >= 0; --i, recNo >>= 4) out[i] = kHexDigits[recNo & 0xF];
    return out;
}

void QuestionQueue::checkRecNo(int recNo) {
    if (recNo < 1 || recNo > kMaxQueueRecord)
        throw QueueError("Datensatznummer " + std::to_string(recNo) +
                         " passt nicht in die Abfragereihenfolge (1 bis 65535).");
}

QuestionQueue QuestionQueue::inTableOrder(int count) {
    if (count > kMaxQueueRecord) checkRecNo(count);
    std::vector<std::uint16_t> values;
    for (int i = 1; i <= count; ++i) values.push_back(static_cast<std::uint16_t>(i));
    QuestionQueue q;
    q.assign(values);
    return q;
}

QuestionQueue QuestionQueue::inRandomOrder(int count, quiz::RandomSource& random) {
    if (count > kMaxQueueRecord) checkRecNo(count);
    if (count <= 0) return {};
    // Entry i goes before entry r among the i - 1 already queued; r >= i - 1 appends.
    QuestionQueue q;
    q.drawn_.resize(static_cast<std::size_t>(count) + 1);
    for (int i = 1; i <= count; ++i) {
        q.drawn_[i] = std::min(random.random(i + 1), i - 1);
        if (q.drawn_[i] == 0) q.drawnHead_ = i;  // the last one put in front stays in front
    }
    q.size_ = count;
    return q;
}

void QuestionQueue::layOut() const {
    if (drawn_.empty()) return;
    // Backwards, each entry takes its position among the slots later entries left free.
    FreeSlots slots(size_);
    std::vector<std::uint16_t> values(static_cast<std::size_t>(size_));
    for (int i = size_; i >= 1; --i) values[slots.take(drawn_[i])] = static_cast<std::uint16_t>(i);
    drawn_ = {};
    blocks_ = BlocksOf(values);
}

QuestionQueue QuestionQueue::fromText(std::string_view text) {
    if (text.size() % 4 != 0)
        throw QueueError("Die Abfragereihenfolge besteht nicht aus vierstelligen Einträgen.");
    std::vector<std::uint16_t> values;
    values.reserve(text.size() / 4);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        int v = 0;
        for (std::size_t j = i; j < i + 4; ++j) {
            const int d = text::HexDigitValue(text[j]);
            if (d < 0)
                throw QueueError(std::string("Ungültiges Zeichen in der Abfragereihenfolge: ") +
                                 text[j]);
            v = v * 16 + d;
        }
        values.push_back(static_cast<std::uint16_t>(v));
    }
    QuestionQueue q;
    q.assign(values);
    return q;
}

void QuestionQueue::assign(const std::vector<std::uint16_t>& values) {
    blocks_ = BlocksOf(values);
    drawn_ = {};
    size_ = static_cast<int>(values.size());
}

void QuestionQueue::clear() {
    blocks_.clear();
    drawn_ = {};
    size_ = 0;
}

int QuestionQueue::head() const {
    if (empty()) throw QueueError("Die Abfragereihenfolge ist leer.");
    if (!drawn_.empty()) return drawnHead_;
    return blocks_.front().front();
}

int QuestionQueue::at(int index) const {
    if (index < 0 || index >= size_) throw QueueError("Eintrag außerhalb der Abfragereihenfolge.");
    layOut();
    for (const auto& block : blocks_) {
        if (index < static_cast<int>(block.size())) return block[index];
        index -= static_cast<int>(block.size());
    }
    return 0;  // not reached
}

void QuestionQueue::insert(int position, int recNo) {
    checkRecNo(recNo);
    layOut();
    const auto value = static_cast<std::uint16_t>(recNo);
    if (blocks_.empty()) blocks_.emplace_back();
    std::size_t b = 0;
    if (position < 0) position = 0;
    if (position >= size_) {
        b = blocks_.size() - 1;
        blocks_[b].push_back(value);
    } else {
        while (position > static_cast<int>(blocks_[b].size())) {
            position -= static_cast<int>(blocks_[b].size());
            ++b;
        }
        blocks_[b].insert(blocks_[b].begin() + position, value);
    }
    ++size_;
    if (blocks_[b].size() >= 2 * kBlockSize) {
        std::vector<std::uint16_t> tail(blocks_[b].begin() + kBlockSize, blocks_[b].end());
        blocks_[b].resize(kBlockSize);
        blocks_.insert(blocks_.begin() + b + 1, std::move(tail));
    }
}

int QuestionQueue::takeHead() {
    const int value = head();
    layOut();
    auto& first = blocks_.front();
    first.erase(first.begin());
    if (first.empty()) blocks_.erase(blocks_.begin());
    --size_;
    return value;
}

std::string QuestionQueue::text() const {
    layOut();
    std::string out;
    out.reserve(static_cast<std::size_t>(size_) * 4);
    for (const auto& block : blocks_)
        for (const unsigned v : block) {
            out.push_back(kHexDigits[(v >> 12) & 0xF]);
            out.push_back(kHexDigits[(v >> 8) & 0xF]);
            out.push_back(kHexDigits[(v >> 4) & 0xF]);
            out.push_back(kHexDigits[v & 0xF]);
        }
    return out;
}

std::vector<int> QuestionQueue::entries() const {
    layOut();
    std::vector<int> out;
    out.reserve(size_);
    for (const auto& block : blocks_) out.insert(out.end(), block.begin(), block.end());
    return out;
}

}  // namespace morvanta::quiz
