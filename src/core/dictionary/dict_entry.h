#pragma once
// One entry of the Japanese–German dictionary, as its text reads:
//
//    [ichi1]  家 /…ipa…/,  [ichi1] いえ /ˈie̞/
//   (noun (common) (futsuumeishi))
//   (1) (n) Haus, (n) Gebäude, (f) Wohnung, (2) (m) Ort, an dem eine Familie lebt
//
// The first line holds the written forms, each with its priority marks and
// pronunciation; then the word class and further grammar lines in parentheses,
// cross references in braces, perhaps a "Note:" that runs straight into the
// senses; the senses are numbered groups of comma-separated meanings. Any
// text gives an entry; what cannot be read stays empty.

#include <string>
#include <string_view>
#include <vector>

namespace morvanta::dict {

struct DictForm {
    std::string text;
    int priority = 0;  // how common the form is, from its [ichi1] [news1] … marks
};

struct DictEntry {
    std::vector<DictForm> forms;
    std::string wordClass;  // "noun (common) (futsuumeishi)", "Ichidan verb", …
    bool usuallyKana = false;  // "word usually written using kana alone"
    // The meanings, without grammar marks; one list per numbered group.
    std::vector<std::vector<std::string>> senses;
};

DictEntry ParseDictEntry(std::string_view text);

// True for hiragana, katakana and the long-vowel mark only.
bool IsKanaOnly(std::string_view text);

// Three translations from the senses: the first meaning of each group in turn,
// then the second ones, …, skipping repeats.
std::vector<std::string> LeadingMeanings(const DictEntry& entry, std::size_t count);

}  // namespace morvanta::dict
