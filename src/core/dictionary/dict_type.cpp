#include "core/dictionary/dict_type.h"

#include <array>

#include "store/type_words.h"

namespace morvanta::dict {

namespace {

using store::kTypeWords;

constexpr std::array<std::string_view, 16> kQuestionWords = {
    "なに", "なん", "だれ", "どなた", "どこ", "いつ", "どう", "どれ",
    "どの", "どちら", "どっち", "なぜ", "いくら", "いくつ", "どうして", "どんな"};

bool Has(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string_view TypeWordFor(std::string_view wordClass, std::string_view reading) {
    for (std::string_view word : kQuestionWords)
        if (reading == word) return kTypeWords[10];  // Gimonshi
    // Verbs first: "suru verb" holds no "noun", but "irregular" may stand beside "Godan".
    if (Has(wordClass, "suru verb") || Has(wordClass, "Kuru verb") || Has(wordClass, "irregular"))
        return kTypeWords[7];  // Verb-Unr
    if (wordClass.starts_with("Ichidan verb")) return kTypeWords[5];
    if (wordClass.starts_with("Godan verb")) return kTypeWords[6];
    if (wordClass.starts_with("adjective (keiyoushi)")) return kTypeWords[1];
    if (Has(wordClass, "keiyodoshi")) return kTypeWords[2];
    if (Has(wordClass, "rentaishi")) return kTypeWords[4];
    if (wordClass.starts_with("noun") || wordClass.starts_with("adverbial noun")) return kTypeWords[0];
    if (wordClass.starts_with("adverb")) return kTypeWords[3];
    if (wordClass.starts_with("particle")) return kTypeWords[8];
    if (wordClass.starts_with("counter")) return kTypeWords[9];
    return kTypeWords[11];  // Sonstiges
}

}  // namespace morvanta::dict
