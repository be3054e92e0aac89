#pragma once
// The Japanese–German dictionary as the entry page and morvanta-cli ask it:
// words that begin with what the learner has typed, in kana or kanji. The files
// are read where the dictionary package installed them; the headword list is
// read and sorted on the first look-up, entries are inflated chunk by chunk as
// they are needed. A damaged file ends the look-ups with one German message.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvanta::dict {

class DictdIndex;
class DictzipFile;

struct Suggestion {
    std::string written;  // kanji, or the kana for a word written in kana alone
    std::string reading;  // kana
    std::string wordClass;
    std::string typeWord;  // one of the twelve type words
    std::vector<std::string> translations;  // at most three
};

struct DictionaryFiles {
    std::string index;  // freedict-jpn-deu.index
    std::string dict;   // freedict-jpn-deu.dict.dz
};

// Where dict-freedict-jpn-deu puts its files; MORVANTA_DICTIONARY=/path/name
// names another dictionary (/path/name.index, /path/name.dict.dz).
DictionaryFiles InstalledDictionary();

class Dictionary {
public:
    explicit Dictionary(DictionaryFiles files);
    ~Dictionary();

    // Both files are there and nothing has turned out damaged.
    bool available() const;

    // Exact matches of `typed` first, then the shortest words that begin with it;
    // at most `limit`. Empty once a file has turned out damaged.
    std::vector<Suggestion> lookup(std::string_view typed, std::size_t limit = 10);

    // The message about a damaged file, handed out once.
    std::optional<std::string> takeMessage();

private:
    void load();

    DictionaryFiles files_;
    std::unique_ptr<DictdIndex> index_;
    std::unique_ptr<DictzipFile> data_;
    bool broken_ = false;
    std::optional<std::string> message_;
};

}  // namespace morvanta::dict
