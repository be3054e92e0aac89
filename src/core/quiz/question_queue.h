#pragma once
// The queue of record numbers still to be asked. Its text form is four
// upper-case hex digits per entry, run together; the head is entry 0.
// Held as numbers in blocks so that inserting anywhere and taking off the
// head stay cheap for the largest selection (65,535 entries).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace morvanta::quiz {
class RandomSource;
}  // namespace morvanta::quiz
namespace morvanta::quiz {

// Four hex digits address record numbers 1 to 65535.
inline constexpr int kMaxQueueRecord = 0xFFFF;

class QueueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class QuestionQueue {
public:
    QuestionQueue() = default;

    // 1, 2, ... count in ascending order.
    static QuestionQueue inTableOrder(int count);
    // For i = 1 .. count: draw r = Random(i + 1) and insert i before entry r.
    static QuestionQueue inRandomOrder(int count, quiz::RandomSource& random);
    // The text form; throws QueueError unless it is a run of four-digit hex entries.
    static QuestionQueue fromText(std::string_view text);

    int size() const { return size_; }
    bool empty() const { return size_ == 0; }
    int head() const;  // throws QueueError when empty
    int at(int index) const;
    void clear();
    // Inserts before entry `position`; a position at or past the end appends.
    void insert(int position, int recNo);
    void append(int recNo) { insert(size_, recNo); }
    int takeHead();  // throws QueueError when empty
    // Drops the entries for which drop(recNo) holds.
    template <class Pred>
    void removeIf(Pred drop) {
        layOut();
        std::vector<std::uint16_t> kept;
        kept.reserve(size_);
        for (const auto& block : blocks_)
            for (auto v : block)
                if (!drop(static_cast<int>(v))) kept.push_back(v);
        assign(kept);
    }

    std::string text() const;
    std::vector<int> entries() const;

    static void checkRecNo(int recNo);  // throws QueueError outside 1..65535

private:
    void assign(const std::vector<std::uint16_t>& values);
    // A random order is drawn at once but laid out in blocks only when first read
    // past its head or changed: the quiz needs just its head to show the first word.
    void layOut() const;
    mutable std::vector<std::vector<std::uint16_t>> blocks_;
    mutable std::vector<int> drawn_;  // a random order's insert positions, not laid out yet
    int drawnHead_ = 0;
    int size_ = 0;
};

// The four-digit entry of a record number ("00A3").
std::string QueueEntry(int recNo);

}  // namespace morvanta::quiz
