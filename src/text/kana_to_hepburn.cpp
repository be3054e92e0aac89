#include <algorithm>
#include <string>

#include "text/escape_runs.h"
#include "text/fast_strings.h"
#include "text/kana_key_replacer.h"

namespace morvanta::text {

namespace {

constexpr std::string_view kSmallTsuHiragana = "\\'82\\'c1";
constexpr std::string_view kSmallTsuKatakana = "\\'83\\'62";

// The passes below shorten the text in place: each writes behind the place it
// reads, so every search still sees the text as it stood before the pass.

// Moves s[from, to) down to `write` (never above `from`) and advances `write`.
void MoveDown(std::string& s, std::size_t from, std::size_t to, std::size_t& write) {
    if (write != from) s.replace(write, to - from, s.data() + from, to - from);
    write += to - from;
}

// Removes every "\f<digit>" in one left-to-right pass: what a removal joins
// together is not looked at again. Searching for the rare 'f' is quicker than
// for the backslash that starts every escape.
void RemoveFontSwitch(std::string& s, char digit) {
    std::size_t write = 0;
    std::size_t read = 0;
    for (std::size_t f = s.find('f', 1); f != std::string::npos; f = s.find('f', f + 1)) {
        if (f < read + 1 || s[f - 1] != '\\' || f + 1 >= s.size() || s[f + 1] != digit) continue;
        MoveDown(s, read, f - 1, write);
        read = f + 2;
    }
    if (read == 0) return;
    MoveDown(s, read, s.size(), write);
    s.resize(write);
}

// Each small tsu with a character after it becomes a copy of that character,
// the first letter of the next syllable; the search goes on after the copy.
void DoubleAfterSmallTsu(std::string& s, std::string_view key) {
    std::size_t write = 0;
    std::size_t read = 0;
    for (std::size_t hit = s.find(key); hit != std::string::npos && hit + key.size() < s.size();
         hit = s.find(key, read)) {
        MoveDown(s, read, hit, write);
        s[write++] = s[hit + key.size()];
        read = hit + key.size();
    }
    if (read == 0) return;
    MoveDown(s, read, s.size(), write);
    s.resize(write);
}

// Deletes four characters at the first "\'" until none is left. What is kept
// holds no "\'", so the next one is either inside the rest or made of the
// kept text's last backslash and the rest's first apostrophe.
void DropLeftoverEscapes(std::string& s) {
    std::size_t write = 0;
    for (std::size_t read = 0; read < s.size();) {
        if (s[read] == '\'' && write > 0 && s[write - 1] == '\\') {
            --write;
            read += 3;
        } else {
            s[write++] = s[read++];
        }
    }
    s.resize(write);
}

void TrimInPlace(std::string& s) {
    const std::string_view kept = TrimControls(s);
    const auto front = static_cast<std::size_t>(kept.data() - s.data());
    s.resize(front + kept.size());
    s.erase(0, front);
}

}  // namespace

std::string KanaToHepburn(std::string_view escapes) {
    std::string t(escapes);
    RemoveFontSwitch(t, '0');
    RemoveFontSwitch(t, '1');
    t = ReplaceKanaKeys(t);
    DoubleAfterSmallTsu(t, kSmallTsuHiragana);
    DoubleAfterSmallTsu(t, kSmallTsuKatakana);
    DropLeftoverEscapes(t);
    TrimInPlace(t);
    return t;
}

}  // namespace morvanta::text
