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

int MarkPriority(std::string_view mark) {
    if (mark == "ichi1" || mark == "news1" || mark == "spec1" || mark == "gai1") return 2;
    if (mark == "ichi2" || mark == "news2" || mark == "spec2" || mark == "gai2") return 1;
    return 0;
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
            form.priority += MarkPriority(line.substr(i + 1, close - i - 1));
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

// Drops cross references {…}, gender marks and no-break spaces.
std::string CleanSenseText(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == '{') {
            const std::size_t close = s.find('}', i);
            i = close == std::string_view::npos ? s.size() : close + 1;
            continue;
        }
        bool mark = false;
        for (std::string_view m : kGenderMarks)
            if (s.substr(i).starts_with(m)) {
                i += m.size();
                mark = true;
                break;
            }
        if (mark) continue;
        if (s.substr(i).starts_with("\xC2\xA0")) {
            out += ' ';
            i += 2;
            continue;
        }
        out += s[i++];
    }
    return out;
}

// A group marker "(12)" at `i`: its length, or 0.
std::size_t GroupMarker(std::string_view s, std::size_t i) {
    if (s[i] != '(') return 0;
    std::size_t j = i + 1;
    while (j < s.size() && j - i <= 3 && s[j] >= '0' && s[j] <= '9') ++j;
    return j > i + 1 && j < s.size() && s[j] == ')' ? j + 1 - i : 0;
}

void AddMeanings(std::string_view group, std::vector<std::vector<std::string>>& senses) {
    std::vector<std::string> meanings;
    int depth = 0;
    std::size_t start = 0;
    auto add = [&](std::size_t end) {
        std::string_view m = Trim(group.substr(start, end - start));
        std::string collapsed;
        for (char c : m)
            if (c != ' ' || (!collapsed.empty() && collapsed.back() != ' ')) collapsed += c;
        if (!collapsed.empty()) meanings.push_back(collapsed);
    };
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (group[i] == '(') ++depth;
        else if (group[i] == ')' && depth > 0) --depth;
        else if (group[i] == ',' && depth == 0) {
            add(i);
            start = i + 1;
        }
    }
    add(group.size());
    if (!meanings.empty()) senses.push_back(std::move(meanings));
}

std::vector<std::vector<std::string>> ParseSenses(std::string_view raw) {
    const std::string text = CleanSenseText(raw);
    const std::string_view s(text);
    std::vector<std::vector<std::string>> senses;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (const std::size_t marker = GroupMarker(s, i)) {
            AddMeanings(s.substr(start, i - start), senses);
            i += marker - 1;
            start = i + 1;
        }
    }
    AddMeanings(s.substr(start), senses);
    return senses;
}

// The note kinds that run straight into the senses without a separator.
constexpr std::array<std::string_view, 22> kNotes = {
    "word usually written using kana alone", "word usually written using kanji alone",
    "onomatopoeic or mimetic word", "abbreviation", "yojijukugo", "archaism",
    "colloquialism", "honorific or respectful (sonkeigo) language", "slang",
    "polite (teineigo) language", "obscure term", "sensitive",
    "humble (kenjougo) language", "derogatory", "idiomatic expression", "obsolete term",
    "vulgar expression or word", "familiar language", "children's language",
    "female term or language", "male term or language", "proverb"};

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

DictEntry ParseDictEntry(std::string_view text) {
    DictEntry entry;
    std::size_t end = text.find('\n');
    entry.forms = ParseForms(text.substr(0, end));
    std::string senseText;
    bool grammar = true;  // the lines in parentheses right after the forms
    while (end != std::string_view::npos) {
        const std::size_t start = end + 1;
        end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        const std::string_view bare = Trim(line);
        if (grammar && bare.starts_with('(') && Closing(bare, 0) == bare.size() - 1) {
            // The first one in Latin letters is the word class; "(やぬし)" only
            // says which reading the next lines are about.
            const std::string_view inner = bare.substr(1, bare.size() - 2);
            const bool latin = std::any_of(inner.begin(), inner.end(), [](char c) {
                return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            });
            if (latin && entry.wordClass.empty() && !GroupMarker(bare, 0)) entry.wordClass = inner;
            continue;
        }
        if (!bare.empty()) grammar = false;
        std::string_view trimmed = Trim(line);
        if (trimmed.starts_with("Note:")) {
            trimmed = Trim(trimmed.substr(5));
            bool known = false;
            for (std::string_view note : kNotes)
                if (trimmed.starts_with(note)) {
                    entry.usuallyKana = note == kNotes[0];
                    trimmed.remove_prefix(note.size());
                    known = true;
                    break;
                }
            if (!known) {
                const std::size_t group = trimmed.find("(1)");
                trimmed = group == std::string_view::npos ? std::string_view() : trimmed.substr(group);
            }
            trimmed = Trim(trimmed);
            if (trimmed.starts_with('[')) {  // a dialect mark: [Kansai-ben]
                const std::size_t close = trimmed.find(']');
                trimmed = close == std::string_view::npos ? std::string_view() : trimmed.substr(close + 1);
            }
        }
        senseText += ' ';
        senseText += trimmed;
    }
    entry.senses = ParseSenses(senseText);
    return entry;
}

std::vector<std::string> LeadingMeanings(const DictEntry& entry, std::size_t count) {
    std::vector<std::string> out;
    for (std::size_t rank = 0; out.size() < count; ++rank) {
        bool any = false;
        for (const auto& group : entry.senses) {
            if (rank >= group.size()) continue;
            any = true;
            if (std::find(out.begin(), out.end(), group[rank]) == out.end()) out.push_back(group[rank]);
            if (out.size() == count) break;
        }
        if (!any) break;
    }
    return out;
}

}  // namespace morvanta::dict
