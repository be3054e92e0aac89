// "add": one word, stored as the entry page stores it.

#include <climits>
#include <iostream>
#include <optional>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/table_access.h"
#include "cli/word_options.h"
#include "core/dictionary/dictionary.h"
#include "core/entry/kana_change.h"
#include "core/entry/new_word.h"
#include "store/data_set.h"
#include "store/engine_error.h"
#include "text/fast_strings.h"
#include "text/rich_text.h"
#include "text/quoted.h"

namespace morvanta::cli {

namespace {

// The best dictionary match for --lookup.
std::optional<dict::Suggestion> LookedUp(const Arguments& args) {
    const auto word = args.value("--lookup");
    if (!word) return std::nullopt;
    dict::Dictionary dictionary(dict::InstalledDictionary());
    if (!dictionary.available())
        throw Refusal("Das Wörterbuch ist nicht installiert: apt install dict-freedict-jpn-deu");
    auto found = dictionary.lookup(*word, 1);
    if (const auto message = dictionary.takeMessage()) throw Refusal(*message);
    if (found.empty()) throw Refusal("Das Wörterbuch kennt kein Wort, das mit " + text::Quoted(*word) + " beginnt.");
    return std::move(found.front());
}

std::string Required(const Arguments& args, std::string_view option, const std::string* fromDictionary) {
    const auto value = args.value(option);
    if (value) return *value;
    if (fromDictionary) return *fromDictionary;
    throw UsageError("Für „add“ fehlt " + std::string(option) + ".");
}

// The page's fields, from the options: the rich edits save their text as RTF,
// and the Hepburn field follows the kana field. Options given win over --lookup.
entry::NewWord WordFromOptions(const Arguments& args) {
    const std::optional<dict::Suggestion> found = LookedUp(args);
    entry::NewWord word;
    word.kanjiRtf = text::PlainTextToRtf(text::OneLine(Required(args, "--kanji", found ? &found->written : nullptr)));
    const std::string reading = KanaOption(text::OneLine(Required(args, "--kana", found ? &found->reading : nullptr)));
    word.hiraKataRtf = text::PlainTextToRtf(reading);
    word.hepburn = entry::HepburnFromKanaRtf(word.hiraKataRtf);
    if (!reading.empty() && word.hepburn.empty())
        throw UsageError("--kana erwartet Hiragana, Katakana oder Romaji; " + text::Quoted(reading) +
                         " ergibt keine Hepburn-Lesung.");
    std::vector<std::string> translations = args.values("--translation");
    if (translations.empty() && found) translations = found->translations;
    if (found) word.type = found->typeWord;
    if (translations.empty()) throw UsageError("Für „add“ fehlt --translation.");
    if (translations.size() > 3) throw UsageError("Eine Vokabel hat höchstens drei Übersetzungen.");
    std::string* slots[] = {&word.translation1, &word.translation2, &word.translation3};
    for (size_t i = 0; i < translations.size(); ++i) *slots[i] = text::OneLine(translations[i]);
    if (const auto lesson = args.value("--lesson"))
        word.lesson = IntegerOption("--lesson", *lesson, 1, 255);
    if (const auto accent = args.value("--accent"))
        word.accent = IntegerOption("--accent", *accent, INT_MIN, INT_MAX);
    if (const auto type = args.value("--type")) word.type = TypeOption(*type);
    word.note = text::OneLine(args.value("--note").value_or(std::string()));
    return word;
}

}  // namespace

int RunAdd(const Arguments& args) {
    const entry::NewWord word = WordFromOptions(args);
    if (word.translation1.empty())
        throw Refusal("Die Vokabel kann nicht eingetragen werden: die erste Übersetzung ist leer.");

    TableAccess access(args.db);
    access.open();
    store::Table table(access.session(), store::kVocabularyAlias, "Vokabel.DB");
    store::SystemClock clock;
    try {
        table.open();
        table.insertRecord(entry::NewWordRecord(word, clock));
        table.flushBuffers();
    } catch (const store::EngineError& e) {
        if (e.isConstraintViolation())
            throw Refusal(
                "Diese Vokabel gibt es schon: dieselbe Hepburn-Lesung mit denselben "
                "Übersetzungen ist bereits eingetragen.");
        throw Refusal("Die Vokabel wurde nicht eingetragen: " + std::string(e.what()));
    }
    std::cout << "Eingetragen: " << word.translation1 << " (" << entry::FirstLine(word.hepburn)
              << "), Lektion " << word.lesson << "\n";
    return kExitOk;
}

}  // namespace morvanta::cli
