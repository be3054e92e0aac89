#pragma once
// The Japanese–German dictionary as the entry page and morvanta-cli ask it:
// words that begin with what the learner has typed, in kana or kanji. The files
// are read where the dictionary package installed them; the headword list is
// read, sorted and ranked once, on the first look-up or ahead of it on a thread
// of its own (prepare()); entries are inflated chunk by chunk as they are
// needed. A damaged file ends the look-ups with one German message.

#include <future>
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

    // Reads and ranks the headwords on a thread of its own, so the first
    // look-up does not wait for it; a look-up before it is done waits for the
    // rest. Does nothing once started. A damaged file shows at the next look-up.
    void prepare();

    // Words for what the learner has typed: exact matches first, then the words
    // that begin with it; each group the common words before the rare ones, the
    // word learners mean most likely first; at most `limit`. A romaji syllable
    // still open at the end ("ほn") stands for the kana it may still become
    // (ほん, ほな, ほの, …), the kana it would settle into first. Empty once a
    // file has turned out damaged.
    std::vector<Suggestion> lookup(std::string_view typed, std::size_t limit = 10);

    // The message about a damaged file, handed out once.
    std::optional<std::string> takeMessage();

private:
    // How likely an entry is the one the learner means, one for each headword
    // of the index, in the index's order.
    struct Rank {
        float score = 0;  // basic vocabulary, frequency marks, how many words build on it
        bool common = false;      // any form carries a first-level mark
        bool formCommon = false;  // the headword itself carries a mark
        bool verb = false;
        bool adjective = false;  // an adjective in -い
    };

    // The headword list and the ranks, all of it or nothing.
    struct Loaded {
        std::unique_ptr<DictdIndex> index;
        std::unique_ptr<DictzipFile> data;
        std::vector<Rank> ranks;
    };
    static Loaded Load(const DictionaryFiles& files);
    static std::vector<Rank> RankEntries(const DictdIndex& index, DictzipFile& data, const std::string& dataName);
    // Waits for prepare() or loads here; throws DictError as loading does.
    void ensureLoaded();

    std::vector<Rank> ranks_;
    std::future<Loaded> preparing_;

    DictionaryFiles files_;
    std::unique_ptr<DictdIndex> index_;
    std::unique_ptr<DictzipFile> data_;
    bool broken_ = false;
    std::optional<std::string> message_;
};

}  // namespace morvanta::dict
