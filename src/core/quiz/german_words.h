#pragma once
// The German words a typed answer is checked against, so that the tolerant check
// never takes a real word for a typo of another ("Kirche" for "Kirsche").

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace morvanta::quiz {

// Debian's wngerman: one word a line, UTF-8, the new orthography.
inline constexpr std::string_view kGermanWordListPath = "/usr/share/dict/ngerman";

class GermanWords {
public:
    explicit GermanWords(std::string path = std::string(kGermanWordListPath));
    GermanWords(const GermanWords&) = delete;
    GermanWords& operator=(const GermanWords&) = delete;

    // Whether a word in text::SpellingKey form is in the list. The first call reads
    // the list; a list that cannot be read holds no words.
    bool contains(std::string_view key) const;
    // Whether the list was read and holds words; reads it if not done yet.
    bool available() const;

private:
    void load() const;

    std::string path_;
    mutable std::once_flag loaded_;
    mutable std::string keys_;                  // every key, each followed by '\n'
    mutable std::vector<std::string_view> sorted_;  // into keys_, sorted, no repeats
};

}  // namespace morvanta::quiz
