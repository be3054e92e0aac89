#include "text/tolerant_match.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "text/codepage.h"
#include "text/fast_strings.h"
#include "text/utf8_char.h"

namespace morvanta::text {

namespace {

// Each level keeps every step of the levels before it.
enum Level { kBlanks, kCase, kSpelling, kArticle, kVerbForm, kAddition, kTypo, kLevelCount };

constexpr std::array<std::string_view, kLevelCount> kRuleNames = {
    "Leerzeichen", "Großschreibung", "Umschrift", "Artikel", "Verbform", "Zusatz", "Tippfehler"};

// Below this a single edit too often makes another word: Hund/Hand, Haus/Maus.
constexpr int kTypoMinLetters = 6;

// The article says nothing about the meaning, and a German speaker knows the gender.
constexpr std::array<std::string_view, 12> kArticles = {
    "der", "die", "das", "des", "dem", "den", "ein", "eine", "einen", "einem", "einer", "eines"};

bool IsBlank(char32_t cp) { return cp == U' ' || cp == U'\t' || cp == 0xA0; }

bool IsLetter(char32_t cp) {
    if (cp < 0x80) return (cp | 0x20) >= U'a' && (cp | 0x20) <= U'z';
    if (cp < 0xC0) return false;
    if (cp < 0x100) return cp != 0xD7 && cp != 0xF7;
    // Beyond Latin-1 only punctuation and symbols are not counted.
    return !(cp >= 0x2000 && cp <= 0x2BFF) && !(cp >= 0x3000 && cp <= 0x303F) && cp != 0xFFFD;
}

// Leaves the bytes of everything but blanks as they are.
std::string CollapseBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool gap = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        if (IsBlank(DecodeUtf8At(text, pos))) {
            gap = true;
            continue;
        }
        if (gap && !out.empty()) out += ' ';
        gap = false;
        out.append(text.substr(start, pos - start));
    }
    return out;
}

// A remark in parentheses explains the meaning; the learner is not expected to type
// it. An unclosed parenthesis runs to the end.
std::string StripAdditions(std::string_view text) {
    std::string out;
    int depth = 0;
    for (const char c : text) {
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (depth == 0) {
            out += c;
        }
    }
    return out;
}

// Bytes of a letter: ASCII letters and every byte of a multi-byte UTF-8 character.
bool IsLetterByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z');
}

// A word's optional ending written in parentheses, "Lehrer(in)", "Kolleg(e)": the
// word is right with it and without it.
void AddEndingForms(const std::string& form, std::vector<std::string>& forms, int depth = 0) {
    for (std::size_t open = form.find('('); open != std::string::npos; open = form.find('(', open + 1)) {
        const std::size_t close = form.find(')', open);
        if (open == 0 || close == std::string::npos || close == open + 1 || !IsLetterByte(form[open - 1]))
            continue;
        const std::string_view ending = std::string_view(form).substr(open + 1, close - open - 1);
        if (!std::all_of(ending.begin(), ending.end(), IsLetterByte)) continue;
        const std::string before = form.substr(0, open);
        const std::string after = form.substr(close + 1);
        // A second ending in the same text ("Lehrer(in) und Schüler(in)") is opened in turn.
        for (const std::string& next : {before + after, before + std::string(ending) + after}) {
            forms.push_back(next);
            if (depth < 3) AddEndingForms(next, forms, depth + 1);
        }
        return;
    }
}

// What one stored translation allows: the text itself or, when it lists several,
// each of its alternatives ("Tasche; Beutel": a semicolon outside parentheses), and
// their forms with and without an ending in parentheses. Blanks around an
// alternative do not count.
std::vector<std::string> StoredForms(std::string_view text) {
    std::vector<std::string> alternatives(1);
    int depth = 0;
    for (const char c : text) {
        if (c == '(') ++depth;
        else if (c == ')' && depth > 0) --depth;
        if (c == ';' && depth == 0) alternatives.emplace_back();
        else alternatives.back() += c;
    }
    std::vector<std::string> forms;
    if (alternatives.size() == 1) {
        forms.emplace_back(text);
        AddEndingForms(forms.front(), forms);
        return forms;
    }
    for (const std::string& alternative : alternatives) {
        const std::string trimmed = std::string(TrimBlanks(alternative, " \t"));
        if (trimmed.empty()) continue;
        forms.push_back(trimmed);
        AddEndingForms(trimmed, forms);
    }
    return forms;
}

// "zu" marks the infinitive only before a verb ("zu gehen", "zu ändern"); in "zu Hause",
// "zu Fuß", "zu spät" or "zu gern" it carries meaning and a teacher would want it.
// Lower case, one word, five letters or more ending in -en/-ern/-eln, or tun/sein; the
// rare adjective that looks like that ("zu selten") is let through.
bool LooksLikeInfinitive(std::string_view word) {
    if (word.empty() || word.find(' ') != std::string_view::npos) return false;
    if (word == "tun" || word == "sein") return true;
    std::size_t pos = 0;
    const char32_t first = DecodeUtf8At(word, pos);
    if ((first >= U'A' && first <= U'Z') || (first >= 0xC0 && first <= 0xDE && first != 0xD7))
        return false;
    int letters = 1;
    while (pos < word.size()) {
        DecodeUtf8At(word, pos);
        ++letters;
    }
    return letters >= 5 && (word.ends_with("en") || word.ends_with("ern") || word.ends_with("eln"));
}

// Drops one leading article, or with verbWords also "sich" or an infinitive's "zu";
// never the only word. Expects collapsed blanks.
std::string_view DropLeadingWord(std::string_view text, bool verbWords) {
    const std::size_t gap = text.find(' ');
    if (gap == std::string_view::npos) return text;
    const std::string_view word = text.substr(0, gap);
    const std::string_view rest = text.substr(gap + 1);
    for (const std::string_view article : kArticles)
        if (SameAsciiName(word, article)) return rest;
    if (!verbWords) return text;
    if (SameAsciiName(word, "sich")) return rest;
    if (SameAsciiName(word, "zu") && LooksLikeInfinitive(rest)) return rest;
    return text;
}

// How a learner without a German keyboard writes an upper-case letter: "AE" for "Ä",
// "SS" for "ß", the bare letter for other accents. "A" for "Ä" is not accepted: it
// would make "schön" and "schon", "Bär" and "Bar" one word. nullptr: the letter stays.
const char* SpelledWithoutAccents(char32_t cp) {
    // À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
    static constexpr std::array<const char*, 32> kLatin1 = {
        "A", "A", "A", "A", "AE", "A", "AE", "C",     "E", "E", "E", "E", "I",  "I", "I",     "I",
        "D", "N", "O", "O", "O",  "O", "OE", nullptr, "O", "U", "U", "U", "UE", "Y", nullptr, "SS"};
    if (cp >= 0xC0 && cp <= 0xDF) return kLatin1[cp - 0xC0];
    static constexpr std::pair<char32_t, const char*> kBeyond[] = {
        {0x152, "OE"}, {0x160, "S"}, {0x178, "Y"}, {0x17D, "Z"}, {0x1E9E, "SS"}};  // Œ Š Ÿ Ž ẞ
    for (const auto& [from, spelled] : kBeyond)
        if (cp == from) return spelled;
    return nullptr;
}

struct Key {
    std::string text;
    int letters = 0;
};

// The form of one side that is compared at a level.
Key MakeKey(std::string_view raw, int level, bool stored) {
    const std::string collapsed =
        CollapseBlanks(stored && level >= kAddition ? StripAdditions(raw) : std::string(raw));
    std::string_view kept = collapsed;
    if (level >= kArticle) kept = DropLeadingWord(kept, level >= kVerbForm);
    Key key;
    if (level < kCase) {
        key.text = kept;
        return key;
    }
    const std::string upper = UpperCase1252(kept);
    if (level < kSpelling) {
        key.text = upper;
        return key;
    }
    key.text.reserve(upper.size());
    for (std::size_t pos = 0; pos < upper.size();) {
        const std::size_t start = pos;
        const char32_t cp = DecodeUtf8At(upper, pos);
        if (IsLetter(cp)) ++key.letters;
        if (const char* spelled = SpelledWithoutAccents(cp))
            key.text += spelled;
        else
            key.text.append(upper, start, pos - start);
    }
    return key;
}

// Damerau–Levenshtein distance at most one, a swap of neighbours counting as one edit.
bool WithinOneEdit(std::u32string_view a, std::u32string_view b) {
    if (a.size() < b.size()) std::swap(a, b);
    if (a.size() - b.size() > 1) return false;
    std::size_t i = 0;
    while (i < b.size() && a[i] == b[i]) ++i;
    if (a.size() != b.size()) return a.substr(i + 1) == b.substr(i);
    if (i == a.size() || a.substr(i + 1) == b.substr(i + 1)) return true;
    return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] &&
           a.substr(i + 2) == b.substr(i + 2);
}

std::string WithoutBlanks(std::string_view key) {
    std::string out;
    for (const char c : key)
        if (c != ' ') out += c;
    return out;
}

// A typo makes no word of its own: a typed word that is none of the stored words,
// not even in another case or umlaut spelling, and is a German word was meant as
// that word ("Kirche" for "Kirsche", "die Küchen" for "der Kuchen"). A blank put in
// or left out ("zuhause" for "zu Hause") changes no word.
bool TypedAnotherWord(std::string_view typed, std::string_view stored,
                      const IsRealWord& isRealWord) {
    if (!isRealWord || WithoutBlanks(typed) == WithoutBlanks(stored)) return false;
    const std::string storedWords = ' ' + std::string(stored) + ' ';
    for (std::size_t start = 0; start < typed.size();) {
        const std::size_t end = std::min(typed.find(' ', start), typed.size());
        const std::string_view word = typed.substr(start, end - start);
        if (storedWords.find(' ' + std::string(word) + ' ') == std::string::npos &&
            isRealWord(word))
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

ToleranceResult MatchTolerantly(std::string_view answer,
                                const std::array<std::string_view, 3>& translations,
                                const IsRealWord& isRealWord) {
    if (MakeKey(answer, kBlanks, false).text.empty()) return {};
    std::array<std::vector<std::string>, 3> forms;
    for (int i = 0; i < 3; ++i)
        if (!translations[i].empty()) forms[i] = StoredForms(translations[i]);
    for (int i = 0; i < 3; ++i)
        if (!translations[i].empty() &&
            (answer == translations[i] || std::find(forms[i].begin(), forms[i].end(), answer) != forms[i].end()))
            return {MatchKind::Exact, i, {}};

    for (int level = kBlanks; level < kLevelCount; ++level) {
        const Key typed = MakeKey(answer, level, false);
        for (int i = 0; i < 3; ++i) {
            for (const std::string& form : forms[i]) {
                const Key stored = MakeKey(form, level, true);
                if (stored.text.empty()) continue;
                const bool matches =
                    level == kTypo ? stored.letters >= kTypoMinLetters &&
                                         WithinOneEdit(Utf8ToCodePoints(typed.text),
                                                       Utf8ToCodePoints(stored.text)) &&
                                         !TypedAnotherWord(typed.text, stored.text, isRealWord)
                                   : typed.text == stored.text;
                if (matches) return {MatchKind::Tolerant, i, kRuleNames[level]};
            }
        }
    }
    return {};
}

std::string SpellingKey(std::string_view text) { return MakeKey(text, kSpelling, false).text; }

bool DiffersOnlyInForm(std::string_view answer, std::string_view translation) {
    if (answer == translation) return false;
    const Key typed = MakeKey(answer, kSpelling, false);
    return !typed.text.empty() && typed.text == MakeKey(translation, kSpelling, false).text;
}

}  // namespace morvanta::text
