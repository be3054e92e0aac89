#include "core/dictionary/dictionary.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/dictionary/dict_entry.h"
#include "core/dictionary/dict_error.h"
#include "core/dictionary/dict_type.h"
#include "core/dictionary/dictd_index.h"
#include "core/dictionary/dictzip_file.h"

namespace morvanta::dict {

namespace {

// An entry longer than this is not a word's entry but damage.
constexpr std::uint64_t kLongestEntry = 1 << 20;

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
    s.translations = LeadingMeanings(entry, 3);
    return s;
}

int PriorityOf(const DictEntry& entry, std::string_view headword) {
    for (const DictForm& form : entry.forms)
        if (form.text == headword) return form.priority;
    return 0;
}

}  // namespace

DictionaryFiles InstalledDictionary() {
    // Another dictd dictionary of the same kind, named without its endings.
    if (const char* other = std::getenv("MORVANTA_DICTIONARY"); other && *other)
        return {std::string(other) + ".index", std::string(other) + ".dict.dz"};
    return {"/usr/share/dictd/freedict-jpn-deu.index", "/usr/share/dictd/freedict-jpn-deu.dict.dz"};
}

Dictionary::Dictionary(DictionaryFiles files) : files_(std::move(files)) {}
Dictionary::~Dictionary() = default;

bool Dictionary::available() const {
    std::error_code ec;
    return !broken_ && std::filesystem::is_regular_file(files_.index, ec) &&
           std::filesystem::is_regular_file(files_.dict, ec);
}

std::optional<std::string> Dictionary::takeMessage() { return std::exchange(message_, std::nullopt); }

void Dictionary::load() {
    if (index_) return;
    data_ = std::make_unique<DictzipFile>(files_.dict);
    index_ = std::make_unique<DictdIndex>(ReadWholeFile(files_.index), files_.index);
}

std::vector<Suggestion> Dictionary::lookup(std::string_view typed, std::size_t limit) {
    std::vector<Suggestion> out;
    if (broken_ || typed.empty() || limit == 0) return out;
    try {
        load();
        std::vector<std::uint64_t> seen;  // one entry stands under each of its forms
        auto entryOf = [&](const IndexEntry& e) -> std::optional<DictEntry> {
            if (std::find(seen.begin(), seen.end(), e.offset) != seen.end()) return std::nullopt;
            seen.push_back(e.offset);
            if (e.length > kLongestEntry)
                throw DictError("Die Wörterbuch-Datei " + files_.dict + " ist beschädigt: ein Eintrag ist zu lang.");
            return ParseDictEntry(data_->read(e.offset, e.length));
        };

        // Exact matches, the most common use of the typed form first.
        std::vector<std::pair<int, Suggestion>> exact;
        for (const IndexEntry& e : index_->exact(typed))
            if (auto entry = entryOf(e))
                exact.emplace_back(PriorityOf(*entry, e.headword), MakeSuggestion(*entry, e.headword));
        std::stable_sort(exact.begin(), exact.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        for (auto& [priority, s] : exact) {
            if (out.size() == limit) return out;
            out.push_back(std::move(s));
        }

        // Then the shortest longer words; the list is sorted, so ties keep its order.
        const auto range = index_->withPrefix(typed);
        std::vector<const IndexEntry*> longer;
        for (const IndexEntry& e : range)
            if (e.headword.size() > typed.size()) longer.push_back(&e);
        const std::size_t wanted = std::min(longer.size(), 4 * limit);
        std::partial_sort(longer.begin(), longer.begin() + static_cast<std::ptrdiff_t>(wanted), longer.end(),
                          [](const IndexEntry* a, const IndexEntry* b) {
                              if (a->headword.size() != b->headword.size())
                                  return a->headword.size() < b->headword.size();
                              return a < b;
                          });
        for (std::size_t i = 0; i < wanted && out.size() < limit; ++i)
            if (auto entry = entryOf(*longer[i])) out.push_back(MakeSuggestion(*entry, longer[i]->headword));
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
