#include <string>

#include "text/escape_runs.h"
#include "text/kana_key_replacer.h"

namespace morvanta::text {

namespace {

constexpr std::string_view kSmallTsuHiragana = "\\'82\\'c1";
constexpr std::string_view kSmallTsuKatakana = "\\'83\\'62";

// Removes every "\f<digit>" in one left-to-right pass: what a removal joins
// together is not looked at again. Searching for the rare 'f' is quicker than
// for the backslash that starts every escape.
std::string RemoveFontSwitch(std::string_view text, char digit) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t f = text.find('f', 1); f != std::string_view::npos; f = text.find('f', f + 1)) {
        if (f < from + 1 || text[f - 1] != '\\' || f + 1 >= text.size() || text[f + 1] != digit) continue;
        if (out.empty()) out.reserve(text.size());
        out.append(text, from, f - 1 - from);
        from = f + 2;
    }
    if (from == 0) return std::string(text);
    out.append(text, from);
    return out;
}

// Each small tsu with a character after it becomes a copy of that character,
// the first letter of the next syllable; the search goes on after the copy.
std::string DoubleAfterSmallTsu(std::string_view text, std::string_view key) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (;;) {
        const std::size_t hit = text.find(key, from);
        if (hit == std::string_view::npos || hit + key.size() >= text.size()) break;
        out.append(text, from, hit - from);
        out += text[hit + key.size()];
        from = hit + key.size();
    }
    out.append(text, from);
    return out;
}

// Deletes four characters at the first "\'" until none is left. What is kept
// holds no "\'", so the next one is either inside the rest or made of the
// kept text's last backslash and the rest's first apostrophe.
std::string DropLeftoverEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    for (std::size_t q = text.find('\''); q != std::string_view::npos; q = text.find('\'', i)) {
        out.append(text, i, q - i);
        if (!out.empty() && out.back() == '\\') {
            out.pop_back();
            i = q + 3;
        } else {
            out += '\'';
            i = q + 1;
        }
        if (i >= text.size()) return out;
    }
    out.append(text, i);
    return out;
}

std::string TrimControls(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

}  // namespace

std::string KanaToHepburn(std::string_view escapes) {
    std::string t = RemoveFontSwitch(RemoveFontSwitch(escapes, '0'), '1');
    t = ReplaceKanaKeys(t);
    t = DoubleAfterSmallTsu(t, kSmallTsuHiragana);
    t = DoubleAfterSmallTsu(t, kSmallTsuKatakana);
    return TrimControls(DropLeftoverEscapes(t));
}

}  // namespace morvanta::text
