#include "text/romaji_kana.h"

#include <algorithm>
#include <array>
#include <utility>

#include "text/fast_strings.h"
#include "text/utf8_char.h"

namespace morvanta::text {

namespace {

struct Syllable {
    std::string_view romaji;
    std::string_view kana;  // hiragana
};

// The usual input-method table: Hepburn, Kunrei and the keyboard spellings,
// small kana after x or l, and the syllables of loanwords.
constexpr auto kSyllables = std::to_array<Syllable>({
    {"a", "あ"}, {"i", "い"}, {"u", "う"}, {"e", "え"}, {"o", "お"},
    {"ka", "か"}, {"ki", "き"}, {"ku", "く"}, {"ke", "け"}, {"ko", "こ"},
    {"kya", "きゃ"}, {"kyi", "きぃ"}, {"kyu", "きゅ"}, {"kye", "きぇ"}, {"kyo", "きょ"},
    {"ca", "か"}, {"cu", "く"}, {"co", "こ"}, {"qa", "くぁ"}, {"qi", "くぃ"}, {"qe", "くぇ"}, {"qo", "くぉ"},
    {"ga", "が"}, {"gi", "ぎ"}, {"gu", "ぐ"}, {"ge", "げ"}, {"go", "ご"},
    {"gya", "ぎゃ"}, {"gyi", "ぎぃ"}, {"gyu", "ぎゅ"}, {"gye", "ぎぇ"}, {"gyo", "ぎょ"},
    {"sa", "さ"}, {"si", "し"}, {"shi", "し"}, {"su", "す"}, {"se", "せ"}, {"so", "そ"},
    {"sha", "しゃ"}, {"shu", "しゅ"}, {"she", "しぇ"}, {"sho", "しょ"},
    {"sya", "しゃ"}, {"syu", "しゅ"}, {"sye", "しぇ"}, {"syo", "しょ"},
    {"za", "ざ"}, {"zi", "じ"}, {"zu", "ず"}, {"ze", "ぜ"}, {"zo", "ぞ"},
    {"ja", "じゃ"}, {"ji", "じ"}, {"ju", "じゅ"}, {"je", "じぇ"}, {"jo", "じょ"},
    {"jya", "じゃ"}, {"jyu", "じゅ"}, {"jye", "じぇ"}, {"jyo", "じょ"},
    {"zya", "じゃ"}, {"zyu", "じゅ"}, {"zye", "じぇ"}, {"zyo", "じょ"},
    {"ta", "た"}, {"ti", "ち"}, {"chi", "ち"}, {"tu", "つ"}, {"tsu", "つ"}, {"te", "て"}, {"to", "と"},
    {"cha", "ちゃ"}, {"chu", "ちゅ"}, {"che", "ちぇ"}, {"cho", "ちょ"},
    {"tya", "ちゃ"}, {"tyu", "ちゅ"}, {"tye", "ちぇ"}, {"tyo", "ちょ"},
    {"cya", "ちゃ"}, {"cyu", "ちゅ"}, {"cye", "ちぇ"}, {"cyo", "ちょ"},
    {"tsa", "つぁ"}, {"tsi", "つぃ"}, {"tse", "つぇ"}, {"tso", "つぉ"},
    {"tha", "てゃ"}, {"thi", "てぃ"}, {"thu", "てゅ"}, {"the", "てぇ"}, {"tho", "てょ"},
    {"twu", "とぅ"},
    {"da", "だ"}, {"di", "ぢ"}, {"du", "づ"}, {"de", "で"}, {"do", "ど"},
    {"dya", "ぢゃ"}, {"dyu", "ぢゅ"}, {"dyo", "ぢょ"},
    {"dha", "でゃ"}, {"dhi", "でぃ"}, {"dhu", "でゅ"}, {"dhe", "でぇ"}, {"dho", "でょ"},
    {"dwu", "どぅ"},
    {"na", "な"}, {"ni", "に"}, {"nu", "ぬ"}, {"ne", "ね"}, {"no", "の"},
    {"nya", "にゃ"}, {"nyi", "にぃ"}, {"nyu", "にゅ"}, {"nye", "にぇ"}, {"nyo", "にょ"},
    {"ha", "は"}, {"hi", "ひ"}, {"hu", "ふ"}, {"fu", "ふ"}, {"he", "へ"}, {"ho", "ほ"},
    {"hya", "ひゃ"}, {"hyi", "ひぃ"}, {"hyu", "ひゅ"}, {"hye", "ひぇ"}, {"hyo", "ひょ"},
    {"fa", "ふぁ"}, {"fi", "ふぃ"}, {"fe", "ふぇ"}, {"fo", "ふぉ"},
    {"fya", "ふゃ"}, {"fyu", "ふゅ"}, {"fyo", "ふょ"},
    {"ba", "ば"}, {"bi", "び"}, {"bu", "ぶ"}, {"be", "べ"}, {"bo", "ぼ"},
    {"bya", "びゃ"}, {"byi", "びぃ"}, {"byu", "びゅ"}, {"bye", "びぇ"}, {"byo", "びょ"},
    {"pa", "ぱ"}, {"pi", "ぴ"}, {"pu", "ぷ"}, {"pe", "ぺ"}, {"po", "ぽ"},
    {"pya", "ぴゃ"}, {"pyi", "ぴぃ"}, {"pyu", "ぴゅ"}, {"pye", "ぴぇ"}, {"pyo", "ぴょ"},
    {"ma", "ま"}, {"mi", "み"}, {"mu", "む"}, {"me", "め"}, {"mo", "も"},
    {"mya", "みゃ"}, {"myi", "みぃ"}, {"myu", "みゅ"}, {"mye", "みぇ"}, {"myo", "みょ"},
    {"ya", "や"}, {"yu", "ゆ"}, {"ye", "いぇ"}, {"yo", "よ"},
    {"ra", "ら"}, {"ri", "り"}, {"ru", "る"}, {"re", "れ"}, {"ro", "ろ"},
    {"rya", "りゃ"}, {"ryi", "りぃ"}, {"ryu", "りゅ"}, {"rye", "りぇ"}, {"ryo", "りょ"},
    {"wa", "わ"}, {"wi", "うぃ"}, {"we", "うぇ"}, {"wo", "を"}, {"wha", "うぁ"}, {"who", "うぉ"},
    {"va", "ゔぁ"}, {"vi", "ゔぃ"}, {"vu", "ゔ"}, {"ve", "ゔぇ"}, {"vo", "ゔぉ"},
    {"nn", "ん"}, {"n'", "ん"}, {"xn", "ん"},
    {"xa", "ぁ"}, {"xi", "ぃ"}, {"xu", "ぅ"}, {"xe", "ぇ"}, {"xo", "ぉ"},
    {"la", "ぁ"}, {"li", "ぃ"}, {"lu", "ぅ"}, {"le", "ぇ"}, {"lo", "ぉ"},
    {"xya", "ゃ"}, {"xyu", "ゅ"}, {"xyo", "ょ"}, {"lya", "ゃ"}, {"lyu", "ゅ"}, {"lyo", "ょ"},
    {"xtu", "っ"}, {"xtsu", "っ"}, {"ltu", "っ"}, {"ltsu", "っ"},
    {"xwa", "ゎ"}, {"lwa", "ゎ"}, {"xka", "ゕ"}, {"xke", "ゖ"},
    {"-", "ー"},
});

constexpr std::size_t kLongest = 4;

bool IsVowel(char c) { return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o'; }

const Syllable* Find(std::string_view romaji) {
    const auto it = std::find_if(kSyllables.begin(), kSyllables.end(),
                                 [&](const Syllable& s) { return s.romaji == romaji; });
    return it == kSyllables.end() ? nullptr : &*it;
}

bool StartsSomeSyllable(std::string_view romaji) {
    return std::any_of(kSyllables.begin(), kSyllables.end(),
                       [&](const Syllable& s) { return s.romaji.starts_with(romaji); });
}

// Hiragana to katakana: the two blocks lie 0x60 apart; ー and the rest stay.
std::string Katakana(std::string_view hiragana) {
    std::string out;
    for (std::size_t pos = 0; pos < hiragana.size();) {
        char32_t cp = DecodeUtf8At(hiragana, pos);
        if (cp >= 0x3041 && cp <= 0x3096) cp += 0x60;
        AppendUtf8(out, cp);
    }
    return out;
}

void Append(std::string& out, std::string_view hiragana, bool katakana) {
    out += katakana ? Katakana(hiragana) : std::string(hiragana);
}

// The locale's letters are no romaji keys: only A–Z and a–z.
bool IsAsciiLetter(char c) { return AsciiLower(c) >= 'a' && AsciiLower(c) <= 'z'; }

}  // namespace

bool IsRomajiKey(char c) { return IsAsciiLetter(c) || c == '-' || c == '\''; }

RomajiConversion RomajiToKana(std::string_view typed, bool final) {
    std::string lower(typed);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    RomajiConversion result;
    std::size_t i = 0;
    while (i < lower.size()) {
        const std::string_view rest = std::string_view(lower).substr(i);
        // A syllable typed with a capital first letter is katakana.
        const bool katakana = typed[i] >= 'A' && typed[i] <= 'Z';
        const char c = rest[0];
        // A doubled consonant (or "tch") is a small tsu before the syllable.
        if (rest.size() >= 2 && IsAsciiLetter(c) && !IsVowel(c) &&
            c != 'n' && (rest[1] == c || (c == 't' && rest[1] == 'c'))) {
            Append(result.kana, "っ", katakana);
            ++i;
            continue;
        }
        // n before a consonant other than y (and not as "nn") is ん by itself.
        if (c == 'n' && rest.size() >= 2 && !IsVowel(rest[1]) && rest[1] != 'y' &&
            rest[1] != 'n' && rest[1] != '\'') {
            Append(result.kana, "ん", katakana);
            ++i;
            continue;
        }
        const Syllable* match = nullptr;
        std::size_t length = std::min(kLongest, rest.size());
        for (; length > 0 && match == nullptr; --length) match = Find(rest.substr(0, length));
        if (match != nullptr) {
            Append(result.kana, match->kana, katakana);
            i += match->romaji.size();
            continue;
        }
        if (StartsSomeSyllable(rest) && !final) {
            result.pending = typed.substr(i);
            break;
        }
        if (final && rest == "n") {
            Append(result.kana, "ん", katakana);
            break;
        }
        // Nothing starts here: the letter stays as typed.
        result.kana += typed[i];
        ++i;
    }
    return result;
}

}  // namespace morvanta::text
