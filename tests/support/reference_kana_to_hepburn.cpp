#include "support/reference_kana_to_hepburn.h"

#include <string.h>

#include "text/fast_strings.h"
#include "text/kana_table.h"

namespace morvanta::reference {

namespace {

// One replace-all pass: a new text when the key occurs, otherwise the text
// stays as it is (as a string library hands back the same string).
void ReplaceAll(std::string& text, std::string_view key, std::string_view by) {
    const char* from = text.data();
    const char* const end = text.data() + text.size();
    const void* hit = memmem(from, text.size(), key.data(), key.size());
    if (hit == nullptr) return;
    std::string out;
    for (; hit != nullptr; hit = memmem(from, static_cast<std::size_t>(end - from), key.data(), key.size())) {
        const char* at = static_cast<const char*>(hit);
        out.append(from, static_cast<std::size_t>(at - from));
        out.append(by.data(), by.size());
        from = at + key.size();
    }
    out.append(from, static_cast<std::size_t>(end - from));
    text.swap(out);
}

void SmallTsu(std::string& s, std::string_view key) {
    const int keyLen = static_cast<int>(key.size());
    int p = text::LocateText(key, s, true, 1, true);
    while (p > 0 && p + keyLen <= static_cast<int>(s.size())) {
        const char following = s[static_cast<std::size_t>(p + keyLen - 1)];
        s = s.substr(0, static_cast<std::size_t>(p - 1)) + following + s.substr(static_cast<std::size_t>(p + keyLen - 1));
        p = text::LocateText(key, s, true, p + 1, true);
    }
}

}  // namespace

std::string KanaToHepburn(std::string_view escapes) {
    std::string s(escapes);
    ReplaceAll(s, "\\f0", "");
    ReplaceAll(s, "\\f1", "");
    for (const auto& row : text::KanaTable()) ReplaceAll(s, row.key, row.romaji);
    SmallTsu(s, "\\'82\\'c1");
    SmallTsu(s, "\\'83\\'62");
    for (auto p = s.find("\\'"); p != std::string::npos; p = s.find("\\'")) s.erase(p, 4);
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return s.substr(b, e - b);
}

}  // namespace morvanta::reference
