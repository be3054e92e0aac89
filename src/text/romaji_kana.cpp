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
// small kana after x or l, and the syllables of loanwords. It takes what the
// common Japanese input methods take for letters, '-' and '\'' (their
// punctuation and arrow shortcuts like "z/" or "zh" are left out: a learner
// typing ',' or '.' into a reading wants them as typed).
constexpr auto kSyllables = std::to_array<Syllable>({
    {"a", "あ"}, {"i", "い"}, {"u", "う"}, {"e", "え"}, {"o", "お"},
    {"ka", "か"}, {"ki", "き"}, {"ku", "く"}, {"ke", "け"}, {"ko", "こ"},
    {"kya", "きゃ"}, {"kyi", "きぃ"}, {"kyu", "きゅ"}, {"kye", "きぇ"}, {"kyo", "きょ"},
    {"kwa", "くぁ"}, {"kwi", "くぃ"}, {"kwu", "くぅ"}, {"kwe", "くぇ"}, {"kwo", "くぉ"},
    {"ca", "か"}, {"cu", "く"}, {"co", "こ"}, {"qa", "くぁ"}, {"qi", "くぃ"}, {"qu", "く"}, {"qe", "くぇ"}, {"qo", "くぉ"},
    {"qwa", "くぁ"}, {"qwi", "くぃ"}, {"qwu", "くぅ"}, {"qwe", "くぇ"}, {"qwo", "くぉ"},
    {"qya", "くゃ"}, {"qyi", "くぃ"}, {"qyu", "くゅ"}, {"qye", "くぇ"}, {"qyo", "くょ"},
    {"ga", "が"}, {"gi", "ぎ"}, {"gu", "ぐ"}, {"ge", "げ"}, {"go", "ご"},
    {"gya", "ぎゃ"}, {"gyi", "ぎぃ"}, {"gyu", "ぎゅ"}, {"gye", "ぎぇ"}, {"gyo", "ぎょ"},
    {"gwa", "ぐぁ"}, {"gwi", "ぐぃ"}, {"gwu", "ぐぅ"}, {"gwe", "ぐぇ"}, {"gwo", "ぐぉ"},
    {"sa", "さ"}, {"si", "し"}, {"shi", "し"}, {"su", "す"}, {"se", "せ"}, {"so", "そ"}, {"ci", "し"}, {"ce", "せ"},
    {"sha", "しゃ"}, {"shu", "しゅ"}, {"she", "しぇ"}, {"sho", "しょ"},
    {"sya", "しゃ"}, {"syi", "しぃ"}, {"syu", "しゅ"}, {"sye", "しぇ"}, {"syo", "しょ"},
    {"swa", "すぁ"}, {"swi", "すぃ"}, {"swu", "すぅ"}, {"swe", "すぇ"}, {"swo", "すぉ"},
    {"za", "ざ"}, {"zi", "じ"}, {"zu", "ず"}, {"ze", "ぜ"}, {"zo", "ぞ"},
    {"ja", "じゃ"}, {"ji", "じ"}, {"ju", "じゅ"}, {"je", "じぇ"}, {"jo", "じょ"},
    {"jya", "じゃ"}, {"jyi", "じぃ"}, {"jyu", "じゅ"}, {"jye", "じぇ"}, {"jyo", "じょ"},
    {"zya", "じゃ"}, {"zyi", "じぃ"}, {"zyu", "じゅ"}, {"zye", "じぇ"}, {"zyo", "じょ"},
    {"zwa", "ずぁ"}, {"zwi", "ずぃ"}, {"zwu", "ずぅ"}, {"zwe", "ずぇ"}, {"zwo", "ずぉ"},
    {"ta", "た"}, {"ti", "ち"}, {"chi", "ち"}, {"tu", "つ"}, {"tsu", "つ"}, {"te", "て"}, {"to", "と"},
    {"cha", "ちゃ"}, {"chu", "ちゅ"}, {"che", "ちぇ"}, {"cho", "ちょ"},
    {"tya", "ちゃ"}, {"tyi", "ちぃ"}, {"tyu", "ちゅ"}, {"tye", "ちぇ"}, {"tyo", "ちょ"},
    {"cya", "ちゃ"}, {"cyi", "ちぃ"}, {"cyu", "ちゅ"}, {"cye", "ちぇ"}, {"cyo", "ちょ"},
    {"tsa", "つぁ"}, {"tsi", "つぃ"}, {"tse", "つぇ"}, {"tso", "つぉ"},
    {"tha", "てゃ"}, {"thi", "てぃ"}, {"thu", "てゅ"}, {"the", "てぇ"}, {"tho", "てょ"},
    {"t'i", "てぃ"}, {"t'yu", "てゅ"},
    {"twa", "とぁ"}, {"twi", "とぃ"}, {"twu", "とぅ"}, {"twe", "とぇ"}, {"two", "とぉ"}, {"t'u", "とぅ"},
    {"da", "だ"}, {"di", "ぢ"}, {"du", "づ"}, {"de", "で"}, {"do", "ど"},
    {"dya", "ぢゃ"}, {"dyi", "ぢぃ"}, {"dyu", "ぢゅ"}, {"dye", "ぢぇ"}, {"dyo", "ぢょ"},
    {"dha", "でゃ"}, {"dhi", "でぃ"}, {"dhu", "でゅ"}, {"dhe", "でぇ"}, {"dho", "でょ"},
    {"d'i", "でぃ"}, {"d'yu", "でゅ"},
    {"dwa", "どぁ"}, {"dwi", "どぃ"}, {"dwu", "どぅ"}, {"dwe", "どぇ"}, {"dwo", "どぉ"}, {"d'u", "どぅ"},
    {"na", "な"}, {"ni", "に"}, {"nu", "ぬ"}, {"ne", "ね"}, {"no", "の"},
    {"nya", "にゃ"}, {"nyi", "にぃ"}, {"nyu", "にゅ"}, {"nye", "にぇ"}, {"nyo", "にょ"},
    {"ha", "は"}, {"hi", "ひ"}, {"hu", "ふ"}, {"fu", "ふ"}, {"he", "へ"}, {"ho", "ほ"},
    {"hya", "ひゃ"}, {"hyi", "ひぃ"}, {"hyu", "ひゅ"}, {"hye", "ひぇ"}, {"hyo", "ひょ"},
    {"fa", "ふぁ"}, {"fi", "ふぃ"}, {"fe", "ふぇ"}, {"fo", "ふぉ"},
    {"fya", "ふゃ"}, {"fyi", "ふぃ"}, {"fyu", "ふゅ"}, {"fye", "ふぇ"}, {"fyo", "ふょ"},
    {"fwa", "ふぁ"}, {"fwi", "ふぃ"}, {"fwu", "ふぅ"}, {"fwe", "ふぇ"}, {"fwo", "ふぉ"},
    {"hwa", "ふぁ"}, {"hwi", "ふぃ"}, {"hwe", "ふぇ"}, {"hwo", "ふぉ"}, {"hwyu", "ふゅ"},
    {"ba", "ば"}, {"bi", "び"}, {"bu", "ぶ"}, {"be", "べ"}, {"bo", "ぼ"},
    {"bya", "びゃ"}, {"byi", "びぃ"}, {"byu", "びゅ"}, {"bye", "びぇ"}, {"byo", "びょ"},
    {"pa", "ぱ"}, {"pi", "ぴ"}, {"pu", "ぷ"}, {"pe", "ぺ"}, {"po", "ぽ"},
    {"pya", "ぴゃ"}, {"pyi", "ぴぃ"}, {"pyu", "ぴゅ"}, {"pye", "ぴぇ"}, {"pyo", "ぴょ"},
    {"ma", "ま"}, {"mi", "み"}, {"mu", "む"}, {"me", "め"}, {"mo", "も"},
    {"mya", "みゃ"}, {"myi", "みぃ"}, {"myu", "みゅ"}, {"mye", "みぇ"}, {"myo", "みょ"},
    {"ya", "や"}, {"yi", "い"}, {"yu", "ゆ"}, {"ye", "いぇ"}, {"yo", "よ"},
    {"ra", "ら"}, {"ri", "り"}, {"ru", "る"}, {"re", "れ"}, {"ro", "ろ"},
    {"rya", "りゃ"}, {"ryi", "りぃ"}, {"ryu", "りゅ"}, {"rye", "りぇ"}, {"ryo", "りょ"},
    {"wa", "わ"}, {"wi", "うぃ"}, {"wu", "う"}, {"we", "うぇ"}, {"wo", "を"}, {"wyi", "ゐ"}, {"wye", "ゑ"},
    {"wha", "うぁ"}, {"whi", "うぃ"}, {"whu", "う"}, {"whe", "うぇ"}, {"who", "うぉ"},
    {"va", "ゔぁ"}, {"vi", "ゔぃ"}, {"vu", "ゔ"}, {"ve", "ゔぇ"}, {"vo", "ゔぉ"},
    {"vya", "ゔゃ"}, {"vyi", "ゔぃ"}, {"vyu", "ゔゅ"}, {"vye", "ゔぇ"}, {"vyo", "ゔょ"},
    {"nn", "ん"}, {"n'", "ん"}, {"xn", "ん"},
    {"xa", "ぁ"}, {"xi", "ぃ"}, {"xu", "ぅ"}, {"xe", "ぇ"}, {"xo", "ぉ"},
    {"la", "ぁ"}, {"li", "ぃ"}, {"lu", "ぅ"}, {"le", "ぇ"}, {"lo", "ぉ"},
    {"xyi", "ぃ"}, {"xye", "ぇ"}, {"lyi", "ぃ"}, {"lye", "ぇ"},
    {"xya", "ゃ"}, {"xyu", "ゅ"}, {"xyo", "ょ"}, {"lya", "ゃ"}, {"lyu", "ゅ"}, {"lyo", "ょ"},
    {"xtu", "っ"}, {"xtsu", "っ"}, {"ltu", "っ"}, {"ltsu", "っ"},
    {"xwa", "ゎ"}, {"lwa", "ゎ"}, {"xka", "ゕ"}, {"xke", "ゖ"}, {"lka", "ゕ"}, {"lke", "ゖ"},
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

// The character that ends just before text[pos].
char32_t CharBefore(std::string_view text, std::size_t pos) {
    std::size_t start = pos - 1;
    while (start > 0 && pos - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    return DecodeUtf8At(text, start);
}

// The locale's letters are no romaji keys: only A–Z and a–z.
bool IsAsciiLetter(char c) { return AsciiLower(c) >= 'a' && AsciiLower(c) <= 'z'; }

}  // namespace

bool IsRomajiKey(char c) { return IsAsciiLetter(c) || c == '-' || c == '\''; }

bool SeparatesWords(char32_t c) {
    if (c < 0x80) return !IsRomajiKey(static_cast<char>(c));
    return (c >= 0xA0 && c <= 0xBF) || c == 0xD7 || c == 0xF7 || (c >= 0x2000 && c <= 0x206F) ||
           (c >= 0x3000 && c <= 0x303F && (c < 0x3005 || c > 0x3007)) || c == 0x30FB ||
           (c >= 0xFF01 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) ||
           (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65);
}

RomajiConversion RomajiToKana(std::string_view typed, bool final, bool midWord) {
    std::string lower(typed);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    const auto isUpper = [&](std::size_t k) { return typed[k] >= 'A' && typed[k] <= 'Z'; };
    const auto isLower = [&](std::size_t k) { return typed[k] >= 'a' && typed[k] <= 'z'; };
    RomajiConversion result;
    std::size_t i = 0;
    while (i < lower.size()) {
        const std::string_view rest = std::string_view(lower).substr(i);
        const bool wordStart = i == 0 ? !midWord : SeparatesWords(CharBefore(typed, i));
        // A capital starting a word is a noun's until the next letter says otherwise.
        if (wordStart && isUpper(i) && i + 1 == typed.size() && !final) {
            result.pending = typed.substr(i);
            break;
        }
        // A syllable typed with a capital first letter is katakana, but for the
        // capital of a word otherwise in lower case ("Neko").
        const bool katakana = isUpper(i) && !(wordStart && i + 1 < typed.size() && isLower(i + 1));
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
