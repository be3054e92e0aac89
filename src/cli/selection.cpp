#include "cli/selection.h"

#include <algorithm>
#include <climits>
#include <regex>

#include "cli/cli_error.h"
#include "cli/messages.h"
#include "cli/word_options.h"
#include "core/entry/search_sql.h"
#include "core/quiz/selection_sql.h"
#include "store/date_time.h"
#include "store/engine_error.h"

namespace morvanta::cli {

namespace {

quiz::CalendarDate DateOption(std::string_view option, const std::string& text) {
    const auto date = store::DateTime::fromGermanText(text);
    if (!date || text.find(':') != std::string::npos)
        throw UsageError("Die Option " + std::string(option) +
                         " erwartet ein Datum TT.MM.JJJJ, nicht " + Quoted(text) + ".");
    return {date->year, date->month, date->day};
}

// The selection page's masked edit takes one digit, the point and three digits.
std::string RatioOption(const std::string& text) {
    static const std::regex kRatio("[0-9]\\.[0-9]{3}");
    if (!std::regex_match(text, kRatio))
        throw UsageError("Die Option --ratio erwartet einen Anteil wie 0.250, nicht " +
                         Quoted(text) + ".");
    return text;
}

}  // namespace

std::string SelectionStatement(const Arguments& args) {
    quiz::SelectionCriteria c;
    bool any = false;
    if (const auto lesson = args.value("--lesson")) {
        c.QCLesson = any = true;
        c.lesson = IntegerOption("--lesson", *lesson, INT_MIN, INT_MAX);
    }
    if (const auto type = args.value("--type")) {
        c.QCtype = any = true;
        c.typeText = TypeOption(*type);
    }
    if (const auto ratio = args.value("--ratio")) {
        c.QCRatio = any = true;
        c.ratioText = RatioOption(*ratio);
    }
    if (const auto age = args.value("--older-than")) {
        c.QCAge = any = true;
        c.ageDate = DateOption("--older-than", *age);
    }
    if (const auto asked = args.value("--asked-before")) {
        c.QCAsked = any = true;
        c.askedDate = DateOption("--asked-before", *asked);
    }
    const auto own = args.value("--sql");
    if (own && any)
        throw UsageError(
            "--sql steht allein, ohne --lesson, --type, --ratio, --older-than, --asked-before.");
    if (own) return *own;
    return any ? quiz::BuildSelectionSql(c) : std::string(kDefaultSelection);
}

std::vector<std::string> StatementLines(const std::string& statement) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = statement.find('\n'); end != std::string::npos;
         end = statement.find('\n', start)) {
        lines.push_back(statement.substr(start, end - start));
        start = end + 1;
    }
    // A trailing line break adds no line, as in the selection page's memo.
    if (start < statement.size()) lines.push_back(statement.substr(start));
    return lines;
}

void OpenSelection(store::Query& query, const std::string& statement) {
    try {
        query.requireSelection(statement);
        query.run(StatementLines(statement));
    } catch (const store::EngineError& e) {
        RefuseSelection(e, "Die Auswahl kann nicht ausgeführt werden: ");
    }
}

void RefuseSelection(const store::EngineError& e, const std::string& lead) {
    if (e.isCancelled()) throw Refusal("Abgebrochen.");
    throw Refusal(lead + e.what());
}

stats::Direction DirectionOption(const Arguments& args) {
    const auto text = args.value("--direction");
    if (!text || *text == "ja-de") return stats::Direction::JapaneseToGerman;
    if (*text == "de-ja") return stats::Direction::GermanToJapanese;
    throw UsageError("Die Option --direction erwartet ja-de oder de-ja, nicht " + Quoted(*text) + ".");
}

void SearchWords(store::Query& query, const Arguments& args) {
    const std::string entry = SearchFieldEntry(args.value("--field").value_or("translation"));
    // "*" is the page's wildcard too.
    std::string pattern = args.words.at(0);
    std::replace(pattern.begin(), pattern.end(), '*', '%');
    try {
        query.run({entry::SearchSql(entry, pattern)});
    } catch (const store::EngineError& e) {
        throw Refusal("Die Suche kann nicht ausgeführt werden: " + std::string(e.what()));
    }
}

}  // namespace morvanta::cli
