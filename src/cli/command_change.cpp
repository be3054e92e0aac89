// "mark", "unmark", "delete" and "edit": the words a search finds, changed as the
// browse page changes them.

#include <unistd.h>

#include <climits>
#include <iostream>
#include <string>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/selection.h"
#include "cli/table_access.h"
#include "cli/word_options.h"
#include "cli/word_output.h"
#include "core/entry/kana_change.h"
#include "store/data_set.h"
#include "store/engine_error.h"
#include "text/fast_strings.h"
#include "text/rich_text.h"

namespace morvanta::cli {

namespace {

std::string Words(int count) { return std::to_string(count) + (count == 1 ? " Vokabel" : " Vokabeln"); }

// The words the search finds; none is a refusal, since nothing can change.
void FindWords(store::Query& query, const Arguments& args) {
    SearchWords(query, args);
    if (query.isEmpty()) throw Refusal("Keine Vokabel gefunden; es wurde nichts geändert.");
}

// Each found word in turn; the step changes the current record.
template <typename Change>
void ChangeEach(store::Query& query, Change&& change) {
    const int count = query.recordCount();
    for (int record = 1; record <= count; ++record) {
        query.setRecNo(record);
        try {
            change(query);
        } catch (const store::EngineError& e) {
            if (query.canModify()) query.cancel();
            throw Refusal("Die Vokabel " + Quoted(query.asString("Translation1")) + " wurde nicht geändert: " +
                          e.what() + " Davor geänderte Vokabeln bleiben geändert.");
        }
    }
}

int SetMarked(const Arguments& args, bool marked) {
    TableAccess access(args.db);
    access.open();
    store::Query query(access.session(), store::kVocabularyAlias);
    FindWords(query, args);
    ChangeEach(query, [marked](store::Query& word) {
        word.edit();
        word.setValue("Marked", store::Value(marked));
        word.post();
    });
    std::cout << Words(query.recordCount()) << (marked ? " markiert.\n" : " nicht mehr markiert.\n");
    return kExitOk;
}

// "j" or "ja" on stdin; asked on stderr where a person sits at the terminal.
bool Confirmed(const std::string& question) {
    if (::isatty(STDIN_FILENO) == 1) std::cerr << question << " [j/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "j" || answer == "J" || answer == "ja" || answer == "Ja";
}

}  // namespace

int RunMark(const Arguments& args) { return SetMarked(args, true); }
int RunUnmark(const Arguments& args) { return SetMarked(args, false); }

int RunDelete(const Arguments& args) {
    TableAccess access(args.db);
    access.open();
    store::Query query(access.session(), store::kVocabularyAlias);
    FindWords(query, args);
    const int count = query.recordCount();
    for (query.first(); !query.eof(); query.next()) std::cerr << "  " << SearchLine(query) << "\n";
    if (!args.has("--yes") && !Confirmed(Words(count) + " löschen?"))
        throw Refusal("Nichts gelöscht.");
    try {
        while (!query.isEmpty()) {
            query.first();
            query.deleteRecord();
        }
    } catch (const store::EngineError& e) {
        throw Refusal("Es wurden nicht alle Vokabeln gelöscht: " + std::string(e.what()));
    }
    std::cout << Words(count) << " gelöscht.\n";
    return kExitOk;
}

int RunEdit(const Arguments& args) {
    TableAccess access(args.db);
    access.open();
    store::Query query(access.session(), store::kVocabularyAlias);
    FindWords(query, args);
    if (query.recordCount() != 1)
        throw Refusal("Die Suche findet " + Words(query.recordCount()) + "; „edit“ ändert genau eine.");
    const std::vector<std::string> translations = args.values("--translation");
    if (translations.size() > 3) throw UsageError("Eine Vokabel hat höchstens drei Übersetzungen.");
    if (!translations.empty() && text::OneLine(translations.front()).empty())
        throw UsageError("Die erste Übersetzung darf nicht leer sein.");
    ChangeEach(query, [&](store::Query& word) {
        word.edit();
        if (const auto kanji = args.value("--kanji")) word.setAsString("Kanji", text::PlainTextToRtf(text::OneLine(*kanji)));
        if (const auto kana = args.value("--kana")) {
            const std::string reading = KanaOption(text::OneLine(*kana));
            const std::string rtf = text::PlainTextToRtf(reading);
            const std::string hepburn = entry::HepburnFromKanaRtf(rtf);
            if (!reading.empty() && hepburn.empty())
                throw UsageError("--kana erwartet Hiragana, Katakana oder Romaji; " + Quoted(reading) +
                                 " ergibt keine Hepburn-Lesung.");
            word.setAsString("Hira-Kata", rtf);
            word.setAsString("Hepburn", hepburn);
        }
        if (!translations.empty()) {
            const char* fields[] = {"Translation1", "Translation2", "Translation3"};
            for (size_t i = 0; i < 3; ++i)
                word.setAsString(fields[i], i < translations.size() ? text::OneLine(translations[i]) : std::string());
        }
        if (const auto lesson = args.value("--lesson"))
            word.setValue("Lesson", store::Value(std::int64_t{IntegerOption("--lesson", *lesson, 1, 255)}));
        if (const auto type = args.value("--type")) word.setAsString("Type", TypeOption(*type));
        if (const auto accent = args.value("--accent"))
            word.setValue("Accent", store::Value(std::int64_t{IntegerOption("--accent", *accent, INT_MIN, INT_MAX)}));
        if (const auto note = args.value("--note")) word.setAsString("Note", text::OneLine(*note));
        word.post();
    });
    std::cout << "Geändert: " << SearchLine(query) << "\n";
    return kExitOk;
}

}  // namespace morvanta::cli
