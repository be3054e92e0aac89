#include "core/dictionary/dict_entry.h"

#include <algorithm>
#include <array>

#include "text/fast_strings.h"
#include "text/utf8_char.h"

namespace morvanta::dict {

namespace {

// Sense lists leave commas at the ends of their pieces.
std::string_view Trim(std::string_view s) { return text::TrimBlanks(s, " \t,"); }

// Where the parenthesis opened at `open` closes, or npos.
std::size_t Closing(std::string_view s, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < s.size(); ++i) {
        if (s[i] == '(') ++depth;
        else if (s[i] == ')' && --depth == 0) return i;
    }
    return std::string_view::npos;
}

void AddMark(DictForm& form, std::string_view mark) {
    if (mark == "ichi1" || mark == "news1" || mark == "spec1" || mark == "gai1") {
        form.priority += 2;
        form.common = true;
    }
    if (mark == "ichi2" || mark == "news2" || mark == "spec2" || mark == "gai2") form.priority += 1;
    if (mark == "ichi1") form.basic = true;
    if (mark == "news1") form.news = 2;
    if (mark == "news2" && form.news == 0) form.news = 1;
    if (mark.size() == 4 && mark.starts_with("nf") && mark[2] >= '0' && mark[2] <= '9' && mark[3] >= '0' &&
        mark[3] <= '9') {
        const int rank = (mark[2] - '0') * 10 + (mark[3] - '0');
        if (form.newsRank == 0 || rank < form.newsRank) form.newsRank = rank;
    }
}

std::vector<DictForm> ParseForms(std::string_view line) {
    std::vector<DictForm> forms;
    DictForm form;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == ',') {
            ++i;
        } else if (c == '[') {
            const std::size_t close = line.find(']', i);
            if (close == std::string_view::npos) break;
            AddMark(form, line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == '(') {
            const std::size_t close = Closing(line, i);
            if (close == std::string_view::npos) break;
            i = close + 1;
        } else {
            std::size_t end = line.find_first_of("/,", i);
            if (end == std::string_view::npos) end = line.size();
            form.text = std::string(Trim(line.substr(i, end - i)));
            i = end;
            if (i < line.size() && line[i] == '/') {  // the pronunciation
                const std::size_t close = line.find('/', i + 1);
                i = close == std::string_view::npos ? line.size() : close + 1;
            }
            if (!form.text.empty()) forms.push_back(form);
            form = DictForm{};
        }
    }
    return forms;
}

constexpr std::array<std::string_view, 7> kGenderMarks = {"(f)", "(m)", "(n)", "(pl)",
                                                         "(mn)", "(mf)", "(nf)"};

// The length of the gender mark at `i`, or 0.
std::size_t GenderMark(std::string_view s, std::size_t i) {
    for (std::string_view m : kGenderMarks)
        if (s.substr(i).starts_with(m)) return m.size();
    return 0;
}

// A group marker "(12)" at `i`: its length, or 0.
std::size_t GroupMarker(std::string_view s, std::size_t i) {
    if (s[i] != '(') return 0;
    std::size_t j = i + 1;
    while (j < s.size() && j - i <= 3 && s[j] >= '0' && s[j] <= '9') ++j;
    return j > i + 1 && j < s.size() && s[j] == ')' ? j + 1 - i : 0;
}

bool IsAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsAsciiLetter(char c) { return IsAsciiLower(c) || (c >= 'A' && c <= 'Z'); }

// "etw." or "jmdm.": an abbreviation that stands for a word of the phrase.
bool LoneAbbreviation(std::string_view piece) {
    piece = Trim(piece);
    return piece.size() > 1 && piece.back() == '.' && piece.find(' ') == std::string_view::npos;
}

bool Has(const auto& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// The piece after a comma goes on with the one before: "das wie Regen fällt",
// "an dem eine Familie lebt". An article before a marked noun is a meaning of its own.
bool ContinuesClause(std::string_view piece) {
    static constexpr std::array<std::string_view, 16> kRelative = {
        "das", "der", "die", "dem", "den", "denen", "dessen", "deren",
        "welche", "welcher", "welches", "welchem", "welchen", "wo", "wobei", "womit"};
    static constexpr std::array<std::string_view, 16> kPrepositions = {
        "an", "auf", "aus", "bei", "durch", "für", "gegen", "in", "mit", "nach", "über", "um", "unter", "von", "vor", "zu"};
    piece = Trim(piece);
    for (std::size_t i = 0; i < piece.size(); ++i)
        if (GenderMark(piece, i)) return false;
    const std::size_t space = piece.find(' ');
    if (space == std::string_view::npos) return false;
    const std::string_view first = piece.substr(0, space);
    if (Has(kRelative, first)) return true;
    std::string_view rest = piece.substr(space + 1);
    const std::string_view second = rest.substr(0, rest.find(' '));
    return Has(kPrepositions, first) && Has(kRelative, second) && second.size() < rest.size();
}

// The meaning as the learner reads it: without gender marks, "(Abk.)" and doubled
// blanks. Brackets the text leaves open or closes twice are damage: a stray
// closing one goes, a remark left open goes from where it opens. Nothing without
// a letter is a meaning.
std::string CleanMeaning(std::string_view s) {
    std::string out;
    std::vector<std::size_t> open;  // where the parentheses still open stand in `out`
    for (std::size_t i = 0; i < s.size();) {
        if (const std::size_t mark = GenderMark(s, i)) {
            i += mark;
            continue;
        }
        if (s.substr(i).starts_with("(Abk.)")) {
            i += 6;
            continue;
        }
        const char c = s[i++];
        if (c == '}' || c == '{' || c == '[' || c == ']') continue;
        if (c == ')' && open.empty()) continue;
        if (c == '(') open.push_back(out.size());
        if (c == ')') open.pop_back();
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    if (!open.empty()) out.resize(open.front());
    while (!out.empty() && (out.back() == ' ' || out.back() == ',')) out.pop_back();
    if (std::none_of(out.begin(), out.end(), [](char c) {
            return IsAsciiLetter(c) || static_cast<unsigned char>(c) >= 0x80;
        }))
        out.clear();
    return out;
}

void AddSense(std::string_view group, std::vector<DictSense>& senses) {
    std::vector<std::string_view> pieces;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= group.size(); ++i) {
        if (i == group.size() || (group[i] == ',' && depth == 0)) {
            const std::string_view piece = group.substr(start, i - start);
            // A comma inside a meaning: the piece belongs to the one before.
            if (!pieces.empty() && (LoneAbbreviation(pieces.back()) || ContinuesClause(piece))) {
                const std::string_view& last = pieces.back();
                pieces.back() = group.substr(last.data() - group.data(), i - (last.data() - group.data()));
            } else if (!Trim(piece).empty()) {
                pieces.push_back(piece);
            }
            start = i + 1;
        } else if (group[i] == '(') {
            ++depth;
        } else if (group[i] == ')' && depth > 0) {
            --depth;
        }
    }
    DictSense sense;
    for (std::string_view piece : pieces) {
        std::string meaning = CleanMeaning(Trim(piece));
        if (meaning.empty()) continue;
        bool noun = false;
        for (std::size_t i = 0; i < piece.size() && !noun; ++i) noun = GenderMark(piece, i) != 0;
        sense.nouns += noun ? 1 : 0;
        sense.meanings.push_back(std::move(meaning));
    }
    if (!sense.meanings.empty()) senses.push_back(std::move(sense));
}

std::vector<DictSense> ParseSenses(std::string_view raw) {
    // Cross references {…}, nested ones too, go; no-break spaces become plain ones.
    std::string text;
    for (std::size_t i = 0; i < raw.size();) {
        if (raw[i] == '{') {
            int depth = 0;
            do {
                depth += raw[i] == '{' ? 1 : raw[i] == '}' ? -1 : 0;
                ++i;
            } while (i < raw.size() && depth > 0);
        } else if (raw.substr(i).starts_with("\xC2\xA0")) {
            text += ' ';
            i += 2;
        } else {
            text += raw[i++];
        }
    }
    const std::string_view s(text);
    std::vector<DictSense> senses;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (const std::size_t marker = GroupMarker(s, i)) {
            AddSense(s.substr(start, i - start), senses);
            i += marker - 1;
            start = i + 1;
        }
    }
    AddSense(s.substr(start), senses);
    return senses;
}

// The kinds of word a "Note:" names; the senses follow without a separator.
constexpr std::array<std::string_view, 32> kNotes = {
    "word usually written using kana alone", "word usually written using kanji alone",
    "onomatopoeic or mimetic word", "abbreviation", "yojijukugo", "archaism",
    "colloquialism", "honorific or respectful (sonkeigo) language", "slang",
    "polite (teineigo) language", "obscure term", "sensitive",
    "humble (kenjougo) language", "derogatory", "idiomatic expression", "obsolete term",
    "vulgar expression or word", "familiar language", "children's language",
    "female term or language", "male term or language", "proverb", "jocular, humorous term",
    "rare", "poetical term", "rude or X-rated term", "manga slang", "Internet slang", "male slang",
    "exclusively kanji", "exclusively kana", "word containing irregular kana usage"};

// A meaning's first mark at `i`: a group number or a gender mark.
bool SenseMark(std::string_view s, std::size_t i) { return GroupMarker(s, i) || GenderMark(s, i); }

// The German senses of the entry's last line: what leads them is the entry's
// English side (cross references, tags, a note's kind, a loanword's source word).
std::string_view GermanPart(std::string_view s, bool& usuallyKana) {
    for (;;) {
        s = Trim(s);
        if (s.starts_with('{') || s.starts_with('[')) {
            const std::size_t close = s.find(s[0] == '{' ? '}' : ']');
            s = close == std::string_view::npos ? std::string_view() : s.substr(close + 1);
        } else if (s.starts_with("Note:")) {
            s = Trim(s.substr(5));
            bool known = false;
            for (std::string_view note : kNotes)
                if (s.starts_with(note)) {
                    usuallyKana = usuallyKana || note == kNotes[0];
                    s.remove_prefix(note.size());
                    known = true;
                    break;
                }
            if (!known) {  // a kind not listed: the senses begin at the first mark
                std::size_t at = 0;
                while (at < s.size() && !SenseMark(s, at)) ++at;
                s = s.substr(at);
            }
        } else if (const std::size_t tag = s.find(" ["); tag != std::string_view::npos && s.find(']', tag) != std::string_view::npos) {
            // A source word before a dialect tag: "motor pool [Kansai-ben] (m) Parkplatz".
            s = s.substr(s.find(']', tag) + 1);
        } else {
            break;
        }
    }
    // A source word glued onto the first mark: "television game(n) Videospiel".
    const std::size_t open = s.find('(');
    if (open != std::string_view::npos && open > 0 && SenseMark(s, open) &&
        s.substr(0, open).find(',') == std::string_view::npos && s[open - 1] != ' ' && s[open - 1] != ')')
        return s.substr(open);
    // …or onto the German word's capital: "bonsoirGuten Abend!".
    std::size_t lower = 0;
    while (lower < s.size() && IsAsciiLower(s[lower])) ++lower;
    if (lower > 0 && lower < s.size() &&
        ((s[lower] >= 'A' && s[lower] <= 'Z') || s.substr(lower).starts_with("Ä") ||
         s.substr(lower).starts_with("Ö") || s.substr(lower).starts_with("Ü")))
        return s.substr(lower);
    return s;
}

// The grammar lines after the forms: each wholly in parentheses. The first one
// in Latin letters is the word class; "(やぬし)" only says which reading the
// next lines are about. Returns where the first other line starts.
std::size_t ReadGrammar(std::string_view text, std::size_t end, DictEntry& entry) {
    while (end != std::string_view::npos) {
        const std::size_t start = end + 1;
        end = text.find('\n', start);
        const std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        const std::string_view bare = Trim(line);
        if (bare.empty()) continue;
        if (!bare.starts_with('(') || Closing(bare, 0) != bare.size() - 1 || GroupMarker(bare, 0) ||
            GenderMark(bare, 0))
            return start;
        const std::string_view inner = bare.substr(1, bare.size() - 2);
        if (entry.wordClass.empty() && std::any_of(inner.begin(), inner.end(), IsAsciiLetter))
            entry.wordClass = inner;
        if (inner.find("takes the aux. verb suru") != std::string_view::npos) entry.takesSuru = true;
    }
    return std::string_view::npos;
}

std::size_t WordsOutsideParentheses(std::string_view s) {
    std::size_t words = 0;
    int depth = 0;
    bool inWord = false;
    for (char c : s) {
        if (c == '(') ++depth;
        else if (c == ')' && depth > 0) --depth;
        const bool letter = depth == 0 && c != ' ' && c != '(' && c != ')';
        if (letter && !inWord) ++words;
        inWord = letter;
    }
    return words;
}

bool VerbOrAdjective(std::string_view wordClass) {
    const auto has = [&](std::string_view part) { return wordClass.find(part) != std::string_view::npos; };
    if (wordClass.starts_with("noun")) return false;
    return has(" verb") || wordClass.starts_with("adjective") || has("keiyodoshi") || has("rentaishi");
}

}  // namespace

bool IsKanaOnly(std::string_view s) {
    if (s.empty()) return false;
    for (std::size_t i = 0; i < s.size();) {
        const char32_t cp = text::DecodeUtf8At(s, i);
        const bool kana = (cp >= 0x3041 && cp <= 0x309F) || (cp >= 0x30A0 && cp <= 0x30FF) ||
                          (cp >= 0xFF66 && cp <= 0xFF9F);
        if (!kana) return false;
    }
    return true;
}

DictEntry ParseDictHead(std::string_view text) {
    DictEntry entry;
    const std::size_t end = text.find('\n');
    entry.forms = ParseForms(text.substr(0, end));
    ReadGrammar(text, end, entry);
    return entry;
}

DictEntry ParseDictEntry(std::string_view text) {
    DictEntry entry;
    const std::size_t end = text.find('\n');
    entry.forms = ParseForms(text.substr(0, end));
    // Only the last line is German; the lines before it are notes.
    std::string_view last;
    for (std::size_t start = ReadGrammar(text, end, entry); start < text.size();) {
        std::size_t stop = text.find('\n', start);
        if (stop == std::string_view::npos) stop = text.size();
        const std::string_view line = text.substr(start, stop - start);
        if (!Trim(line).empty()) {
            if (!last.empty() && last.find("Note: " + std::string(kNotes[0])) != std::string_view::npos)
                entry.usuallyKana = true;
            last = line;
        }
        start = stop + 1;
    }
    if (!last.empty()) entry.senses = ParseSenses(GermanPart(last, entry.usuallyKana));
    return entry;
}

std::vector<std::string> Translations(const DictEntry& entry, std::size_t count) {
    std::vector<const DictSense*> order;
    for (const DictSense& sense : entry.senses) order.push_back(&sense);
    if (VerbOrAdjective(entry.wordClass))
        std::stable_partition(order.begin(), order.end(),
                              [](const DictSense* s) { return s->nouns < s->meanings.size(); });
    std::vector<std::string> out;
    for (const DictSense* sense : order) {
        if (out.size() == count) break;
        const bool anyShort = std::any_of(sense->meanings.begin(), sense->meanings.end(), [](const std::string& m) {
            return WordsOutsideParentheses(m) < 6;
        });
        std::vector<std::string_view> kept;
        for (const std::string& m : sense->meanings)
            if ((!anyShort || WordsOutsideParentheses(m) < 6) && !Has(kept, m)) kept.push_back(m);
        std::string text;
        for (std::string_view m : kept) {
            if (!text.empty()) text += ", ";
            text += m;
        }
        if (!text.empty() && !Has(out, text)) out.push_back(std::move(text));
    }
    return out;
}

}  // namespace morvanta::dict
