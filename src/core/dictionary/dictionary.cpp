#include "core/dictionary/dictionary.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unordered_map>

#include "core/dictionary/dict_entry.h"
#include "core/dictionary/dict_error.h"
#include "core/dictionary/dict_type.h"
#include "core/dictionary/dictd_index.h"
#include "core/dictionary/dictzip_file.h"
#include "text/fast_strings.h"
#include "text/romaji_kana.h"

namespace morvanta::dict {

namespace {

// An entry longer than this is not a word's entry but damage.
constexpr std::uint64_t kLongestEntry = 1 << 20;

// A verb or -い adjective typed exactly as the dictionary writes it decides
// between words about as common, but does not lift a rare verb over an everyday noun.
constexpr float kFitBonus = 1.0f;

// Newspaper marks count for less than the basic-vocabulary ones: a learner's
// first words (下, 中, 家) are seldom newspaper words on their own.
constexpr double kNewsWeight = 0.3;

// A noun that takes する is mostly a Sino-Japanese word of written language; of
// two words read alike, a beginner means the plain one (昨日, not 機能).
constexpr double kSuruNounPenalty = 2.0;

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DictError("Das Wörterbuch-Verzeichnis " + path + " lässt sich nicht öffnen.");
    std::ostringstream text;
    text << in.rdbuf();
    return std::move(text).str();
}

// The entry seen through the headword the learner matched: its written form and reading.
Suggestion MakeSuggestion(const DictEntry& entry, std::string_view headword) {
    Suggestion s;
    const bool kanaHead = IsKanaOnly(headword);
    for (const DictForm& form : entry.forms) {
        const bool kana = IsKanaOnly(form.text);
        if (kana && s.reading.empty()) s.reading = form.text;
        if (!kana && s.written.empty()) s.written = form.text;
    }
    if (kanaHead) s.reading = std::string(headword);
    else s.written = std::string(headword);
    if (s.written.empty() || (kanaHead && entry.usuallyKana)) s.written = s.reading;
    s.wordClass = entry.wordClass;
    s.typeWord = std::string(TypeWordFor(entry.wordClass, s.reading));
    s.translations = Translations(entry, 3);
    return s;
}

// The first UTF-8 character of `s`.
std::string_view FirstCharacter(std::string_view s) {
    std::size_t n = 1;
    while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
    return s.substr(0, n);
}

bool EndsWithAny(std::string_view s, std::initializer_list<std::string_view> ends) {
    return std::any_of(ends.begin(), ends.end(), [&](std::string_view e) { return s.ends_with(e); });
}

// The romaji still open at the end of the typed text: Latin letters after the kana.
std::size_t OpenTail(std::string_view typed) {
    std::size_t start = typed.size();
    while (start > 0 && static_cast<unsigned char>(typed[start - 1]) < 0x80 && typed[start - 1] != ' ') --start;
    return start;
}

// The kana the typed text may stand for: itself, or with an open syllable the
// kana it settles into now, then the ones it may still become.
// Hepburn writes おんな "onna"; typed so, an input method makes it おんあ (ん, then あ).
// The reading with the n-row kana after ん is what such a learner means.
std::string HepburnDoubleN(const std::string& kana) {
    static constexpr std::pair<std::string_view, std::string_view> kAfterN[] = {
        {"んあ", "んな"}, {"んい", "んに"}, {"んう", "んぬ"}, {"んえ", "んね"}, {"んお", "んの"}};
    std::string out = kana;
    for (const auto& [typed, meant] : kAfterN)
        for (std::size_t at = out.find(typed); at != std::string::npos; at = out.find(typed, at + meant.size()))
            out.replace(at, typed.size(), meant);
    return out;
}

std::vector<std::string> Readings(std::string_view typed) {
    const std::size_t tail = OpenTail(typed);
    const std::string kana(text::TrimBlanks(typed.substr(0, tail), " \t"));
    if (kana.empty()) return {};
    if (tail == typed.size()) {
        const std::string hepburn = HepburnDoubleN(kana);
        return hepburn == kana ? std::vector<std::string>{kana} : std::vector<std::string>{kana, hepburn};
    }
    const std::string open(typed.substr(tail));
    std::vector<std::string> out;
    const auto add = [&](const text::RomajiConversion& c) {
        const bool settled = c.pending.empty() && std::all_of(c.kana.begin(), c.kana.end(), [](char ch) {
            return static_cast<unsigned char>(ch) >= 0x80;
        });
        if (settled && !c.kana.empty() && std::find(out.begin(), out.end(), kana + c.kana) == out.end())
            out.push_back(kana + c.kana);
    };
    add(text::RomajiToKana(open, true));
    for (std::string_view vowel : {"a", "i", "u", "e", "o", "ya", "yu", "yo"})
        add(text::RomajiToKana(open + std::string(vowel), true));
    return out;
}

}  // namespace

DictionaryFiles InstalledDictionary() {
    // Another dictd dictionary of the same kind, named without its endings.
    if (const char* other = std::getenv("MORVANTA_DICTIONARY"); other && *other)
        return {std::string(other) + ".index", std::string(other) + ".dict.dz"};
    return {"/usr/share/dictd/freedict-jpn-deu.index", "/usr/share/dictd/freedict-jpn-deu.dict.dz"};
}

Dictionary::Dictionary(DictionaryFiles files) : files_(std::move(files)) {}

Dictionary::~Dictionary() {
    // The thread reads this dictionary's files: it ends before they close.
    if (preparing_.valid()) preparing_.wait();
}

bool Dictionary::available() const {
    std::error_code ec;
    return !broken_ && std::filesystem::is_regular_file(files_.index, ec) &&
           std::filesystem::is_regular_file(files_.dict, ec);
}

std::optional<std::string> Dictionary::takeMessage() { return std::exchange(message_, std::nullopt); }

void Dictionary::prepare() {
    if (index_ || preparing_.valid() || broken_) return;
    try {
        preparing_ = std::async(std::launch::async, [files = files_] { return Load(files); });
    } catch (const std::system_error&) {
        // No thread to spare: the first look-up loads, as without prepare().
    }
}

void Dictionary::ensureLoaded() {
    if (index_) return;
    Loaded loaded = preparing_.valid() ? preparing_.get() : Load(files_);
    ranks_ = std::move(loaded.ranks);
    data_ = std::move(loaded.data);
    index_ = std::move(loaded.index);
}

Dictionary::Loaded Dictionary::Load(const DictionaryFiles& files) {
    Loaded loaded;
    loaded.data = std::make_unique<DictzipFile>(files.dict);
    loaded.index = std::make_unique<DictdIndex>(ReadWholeFile(files.index), files.index);
    loaded.ranks = RankEntries(*loaded.index, *loaded.data, files.dict);
    return loaded;
}

std::vector<Dictionary::Rank> Dictionary::RankEntries(const DictdIndex& index, DictzipFile& data,
                                                      const std::string& dataName) {
    const auto all = index.withPrefix("");
    std::vector<Rank> ranks(all.size());
    // A character many words are built on is one of the everyday ones. The
    // headwords are sorted by their bytes, so those that begin with the same
    // character stand together: one pass counts them all.
    std::unordered_map<std::string_view, std::size_t> family;
    for (std::size_t i = 0; i < all.size();) {
        const std::string_view first = FirstCharacter(all[i].headword);
        std::size_t j = i + 1;
        while (j < all.size() && !first.empty() && all[j].headword.starts_with(first)) ++j;
        family.emplace(first, j - i);
        i = j;
    }
    // Entry by entry in the order of the data, so each chunk is inflated once.
    std::vector<std::size_t> order(all.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return all[a].offset < all[b].offset; });
    for (std::size_t i = 0; i < order.size();) {
        const IndexEntry& e = all[order[i]];
        if (e.length > kLongestEntry)
            throw DictError("Die Wörterbuch-Datei " + dataName + " ist beschädigt: ein Eintrag ist zu lang.");
        const DictEntry head = ParseDictHead(data.read(e.offset, e.length));
        Rank rank;
        int marks = 0, news = 0, newsRank = 0;
        bool basic = false;
        std::string_view written;
        for (const DictForm& f : head.forms) {
            marks = std::max(marks, f.priority - f.news);
            news = std::max(news, f.news);
            basic = basic || f.basic;
            if (f.newsRank && (!newsRank || f.newsRank < newsRank)) newsRank = f.newsRank;
            rank.common = rank.common || f.common;
            if (written.empty() && !IsKanaOnly(f.text)) written = f.text;
        }
        const auto found = written.empty() ? family.end() : family.find(FirstCharacter(written));
        const std::size_t builtOn = found == family.end() ? 0 : found->second;
        const double newspaper = news + (newsRank ? (50 - newsRank) / 25.0 : 0);
        rank.score = static_cast<float>((basic ? 2 : 0) + marks + kNewsWeight * newspaper +
                                        0.5 * std::log2(1.0 + static_cast<double>(builtOn)) -
                                        (head.takesSuru ? kSuruNounPenalty : 0));
        const std::string_view type = TypeWordFor(head.wordClass, "");
        rank.verb = type.starts_with("Verb");
        rank.adjective = type == "Keiyoushi";
        for (; i < order.size() && all[order[i]].offset == e.offset; ++i) {
            Rank& r = ranks[order[i]];
            r = rank;
            for (const DictForm& f : head.forms)
                if (f.text == all[order[i]].headword) r.formCommon = f.priority > 0;
        }
    }
    return ranks;
}

std::vector<Suggestion> Dictionary::lookup(std::string_view typed, std::size_t limit) {
    std::vector<Suggestion> out;
    if (broken_ || typed.empty() || limit == 0) return out;
    try {
        ensureLoaded();
        const std::vector<std::string> readings = Readings(typed);
        const IndexEntry* const first = index_->withPrefix("").data();
        struct Candidate {
            int tier;  // 0 exact, 1 exact for a syllable not yet typed, 2 longer
            const IndexEntry* entry;
            const Rank* rank;
            bool fits;  // a verb or adjective typed as it stands in the dictionary
        };
        std::vector<Candidate> candidates;
        for (std::size_t k = 0; k < readings.size(); ++k) {
            const std::string_view reading = readings[k];
            // Verbs and -い adjectives end so in the dictionary.
            const bool verbEnding = EndsWithAny(reading, {"う", "く", "ぐ", "す", "ず", "つ", "ぬ", "ぶ", "む", "る"});
            const bool adjectiveEnding = reading.ends_with("い");
            for (const IndexEntry& e : index_->withPrefix(reading)) {
                const Rank& r = ranks_[static_cast<std::size_t>(&e - first)];
                const bool exact = e.headword.size() == reading.size();
                candidates.push_back({exact ? (k == 0 ? 0 : 1) : 2, &e, &r,
                                      exact && ((verbEnding && r.verb) || (adjectiveEnding && r.adjective))});
            }
        }
        std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
            if (a.tier != b.tier) return a.tier < b.tier;
            if (a.rank->formCommon != b.rank->formCommon) return a.rank->formCommon;
            if (a.rank->common != b.rank->common) return a.rank->common;
            const float sa = a.rank->score + (a.fits ? kFitBonus : 0), sb = b.rank->score + (b.fits ? kFitBonus : 0);
            if (sa != sb) return sa > sb;
            if (a.entry->headword.size() != b.entry->headword.size())
                return a.entry->headword.size() < b.entry->headword.size();
            return a.entry < b.entry;
        });
        std::vector<std::uint64_t> seen;  // one entry stands under each of its forms
        for (const Candidate& c : candidates) {
            if (out.size() == limit) break;
            const IndexEntry& e = *c.entry;
            if (std::find(seen.begin(), seen.end(), e.offset) != seen.end()) continue;
            seen.push_back(e.offset);
            out.push_back(MakeSuggestion(ParseDictEntry(data_->read(e.offset, e.length)), e.headword));
        }
    } catch (const DictError& e) {
        broken_ = true;
        message_ = e.what();
        out.clear();
    } catch (const std::bad_alloc&) {
        broken_ = true;
        message_ = "Das Wörterbuch ist zu groß für den freien Speicher.";
        out.clear();
    }
    return out;
}

}  // namespace morvanta::dict
