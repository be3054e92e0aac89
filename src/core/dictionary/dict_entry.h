#pragma once
// One entry of the Japanese–German dictionary, as its text reads:
//
//    [ichi1]  [news1]  [nf02]  女 /…ipa…/,  [ichi1]  [news1]  [nf02]  おんな /ˈo̞nnä/
//   (noun (common) (futsuumeishi))
//    (noun, used as a prefix)
//   {男・おとこ・1} (can be blunt when used alone)
//   (f) Frau (urspr. junge Frau), (1) (f) Frau, (f) Dame, (2) (f) Geliebte, (n) Mädchen
//
// The first line holds the written forms, each with its priority marks and
// pronunciation; then the word class and further grammar lines in parentheses.
// The entry's last line holds the German senses: numbered groups of
// comma-separated meanings. What comes between, and what leads the last line
// before the first meaning, is the English side of the entry: cross references
// in braces, usage notes in parentheses, field and dialect tags in brackets, a
// "Note:" naming the kind of word, the source word of a loanword glued onto the
// German. None of it becomes a translation. Any text gives an entry; what
// cannot be read stays empty.

#include <string>
#include <string_view>
#include <vector>

namespace morvanta::dict {

struct DictForm {
    std::string text;
    int priority = 0;  // how common the form is, from its [ichi1] [news1] … marks
    bool common = false;  // a first-level mark: [ichi1] [news1] [spec1] [gai1]
    bool basic = false;   // [ichi1]: in the list of basic vocabulary
    int newsRank = 0;    // [nf01] … [nf48]: its place among the newspaper words, 0 none
    int news = 0;  // the part of `priority` from [news1] (2) or [news2] (1)
};

struct DictSense {
    std::vector<std::string> meanings;  // German, without gender and usage marks
    std::size_t nouns = 0;  // how many of them the dictionary marks as nouns
};

struct DictEntry {
    std::vector<DictForm> forms;
    std::string wordClass;  // "noun (common) (futsuumeishi)", "Ichidan verb", …
    bool usuallyKana = false;  // "word usually written using kana alone"
    bool takesSuru = false;  // a noun that becomes a verb with する ("takes the aux. verb suru")
    std::vector<DictSense> senses;  // one a numbered group
};

DictEntry ParseDictEntry(std::string_view text);
// Only the forms and the grammar lines: what ranking the entry needs.
DictEntry ParseDictHead(std::string_view text);

// True for hiragana, katakana and the long-vowel mark only.
bool IsKanaOnly(std::string_view text);

// Up to `count` translations, one a sense, its meanings joined by ", " as the
// dictionary writes them. For verbs and adjectives the senses that are not made
// of nouns come first; a long explanation gives way to the short meanings
// beside it; repeats are left out.
std::vector<std::string> Translations(const DictEntry& entry, std::size_t count);

}  // namespace morvanta::dict
