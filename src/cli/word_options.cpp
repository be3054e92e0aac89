#include "cli/word_options.h"

#include <algorithm>
#include <array>
#include <utility>

#include "cli/cli_error.h"
#include "cli/messages.h"
#include "store/type_words.h"
#include "text/romaji_kana.h"

namespace morvanta::cli {

std::string TypeOption(const std::string& text) {
    std::string list;
    for (std::string_view word : store::kTypeWords) {
        if (word == text) return text;
        list += (list.empty() ? "" : ", ") + std::string(word);
    }
    throw UsageError("Unbekannter Typ " + Quoted(text) + ". Typen: " + list + ".");
}

namespace {

bool HasLatinLetter(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

}  // namespace

std::string KanaOption(const std::string& typed) {
    if (!HasLatinLetter(typed)) return typed;
    const std::string kana = text::RomajiToKana(typed, true).kana;
    if (HasLatinLetter(kana))
        throw UsageError("--kana erwartet Hiragana, Katakana oder Romaji; " + Quoted(typed) +
                         " lässt sich nicht ganz in Kana umwandeln.");
    return kana;
}

std::string SearchFieldEntry(const std::string& field) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kEntries = {{
        {"translation", "Translation"},
        {"lesson", "Lektion"},
        {"type", "Typ"},
        {"note", "Beschreibung"},
        {"hepburn", "Hepburn"},
    }};
    for (const auto& [name, entry] : kEntries)
        if (name == field) return std::string(entry);
    throw UsageError("--field kennt translation, lesson, type, note und hepburn, nicht " +
                     Quoted(field) + ".");
}

}  // namespace morvanta::cli
