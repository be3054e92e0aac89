#include "core/quiz/german_words.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>

#include "text/tolerant_match.h"

namespace morvanta::quiz {

GermanWords::GermanWords(std::string path) : path_(std::move(path)) {}

bool GermanWords::contains(std::string_view key) const {
    std::call_once(loaded_, [this] { load(); });
    return std::binary_search(sorted_.begin(), sorted_.end(), key);
}

bool GermanWords::available() const {
    std::call_once(loaded_, [this] { load(); });
    return !sorted_.empty();
}

namespace {

// Four words in five are plain ASCII letters, whose SpellingKey is their upper case;
// folding only the others keeps the first check quick.
bool IsPlainAscii(std::string_view word) {
    return std::all_of(word.begin(), word.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80 && c != ' ' && c != '\t';
    });
}

}  // namespace

// One buffer and sorted views into it: far less memory than a set of strings for
// 350,000 words kept as long as the program runs.
void GermanWords::load() const {
    std::ifstream in(path_, std::ios::binary);
    const std::string list{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    keys_.reserve(list.size() + list.size() / 8);
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = std::min(list.find('\n', start), list.size());
        std::string_view word(list.data() + start, end - start);
        start = end + 1;
        if (word.ends_with('\r')) word.remove_suffix(1);
        if (IsPlainAscii(word)) {
            for (const char c : word) keys_ += c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c;
        } else {
            keys_ += text::SpellingKey(word);
        }
        if (!keys_.empty() && keys_.back() != '\n') keys_ += '\n';
    }
    keys_.shrink_to_fit();
    for (std::size_t start = 0; start < keys_.size();) {
        const std::size_t end = keys_.find('\n', start);
        sorted_.emplace_back(keys_.data() + start, end - start);
        start = end + 1;
    }
    std::sort(sorted_.begin(), sorted_.end());
    sorted_.erase(std::unique(sorted_.begin(), sorted_.end()), sorted_.end());
    sorted_.shrink_to_fit();
}

}  // namespace morvanta::quiz
