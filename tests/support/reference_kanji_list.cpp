#include "support/reference_kanji_list.h"

#include "core/exchange/japanese_run.h"
#include "core/exchange/kanji_character.h"
#include "text/fast_strings.h"

namespace morvanta::test {

namespace {

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto& fold = text::UpperFoldTable();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold[static_cast<unsigned char>(a[i])] != fold[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

int IndexOf(const std::vector<std::string>& lines, std::string_view s) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (SameText(lines[i], s)) return static_cast<int>(i);
    return -1;
}

}  // namespace

std::vector<std::string> ReferenceKnownCharacters(std::string_view kanaFile,
                                                  const std::vector<std::string>& kanjiTexts) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < kanaFile.size(); ++i) {
        const char c = kanaFile[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < kanaFile.size() && kanaFile[i + 1] == '\n') ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty()) lines.push_back(current);

    for (const std::string& kanji : kanjiTexts) {
        for (const char32_t cp : exchange::KanjiOf(kanji)) {
            const std::string escape = exchange::RtfCharacter(cp);
            if (IndexOf(lines, escape) < 0) lines.push_back(escape);
        }
    }
    return lines;
}

}  // namespace morvanta::test
