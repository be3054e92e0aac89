#include "core/stats/stats_csv.h"

#include <string>
#include <string_view>
#include <unordered_map>

#include "core/stats/answer_history.h"
#include "store/database.h"
#include "store/date_time.h"
#include "text/csv_cell.h"
#include "text/rich_text.h"

namespace morvanta::stats {

namespace {

void Field(std::ostream& out, std::string_view value, bool last) { text::WriteCsvCell(out, value, last); }

std::string Inert(std::string_view text) { return text::SpreadsheetInert(text); }

std::string GermanDate(std::string_view stored) {
    const auto date = store::DateTime::fromStorage(stored);
    return date ? date->toGermanText() : std::string();
}

}  // namespace

int WriteStatisticsCsv(store::Database& db, std::ostream& out, Direction direction, const WordColumns* more) {
    const auto history = ReadWordAnswers(db, direction);
    const bool fromHistory = direction == Direction::GermanToJapanese;
    const WordAnswers none;
    const bool extra = more && !more->headers.empty();
    out << "\xEF\xBB\xBF";
    for (const char* head : {"Kanji", "Kana", "Hepburn", "Übersetzung 1", "Übersetzung 2", "Übersetzung 3",
                             "Lektion", "Typ", "Markiert", "Abgefragt", "Falsch", "Zuletzt abgefragt",
                             "Antworten im Verlauf", "davon richtig", "davon falsch"})
        Field(out, head, false);
    Field(out, "Letzte Antwort", !extra);
    if (extra)
        for (size_t i = 0; i < more->headers.size(); ++i) Field(out, more->headers[i], i + 1 == more->headers.size());

    store::Statement words = db.prepare(
        "SELECT v.rowid, Kanji, \"Hira-Kata\", Hepburn, Translation1, Translation2, Translation3, "
        "ifnull(Lesson, ''), Type, v.Marked, ifnull(NumberAsked, 0), ifnull(NumberWrong, 0), DateAsked "
        "FROM Vokabel v LEFT JOIN VokabelOrder o ON o.WordId = v.rowid ORDER BY o.SortKey, v.rowid");
    int written = 0;
    while (words.step()) {
        Field(out, Inert(text::RtfToPlainText(words.columnText(1))), false);
        Field(out, Inert(text::RtfToPlainText(words.columnText(2))), false);
        for (int column = 3; column <= 8; ++column) Field(out, Inert(words.columnText(column)), false);
        Field(out, words.columnInt(9) == 1 ? "ja" : "nein", false);
        const auto found = history.find(words.columnInt(0));
        const WordAnswers& answers = found == history.end() ? none : found->second;
        if (fromHistory) {
            Field(out, std::to_string(answers.asked), false);
            Field(out, std::to_string(answers.wrong), false);
            Field(out, GermanDate(answers.lastAt), false);
        } else {
            Field(out, words.columnText(10), false);
            Field(out, words.columnText(11), false);
            // A word never asked keeps the date it was entered there: no answer date.
            Field(out, words.columnInt(10) > 0 ? GermanDate(words.columnText(12)) : std::string(), false);
        }
        Field(out, std::to_string(answers.asked), false);
        Field(out, std::to_string(answers.asked - answers.wrong), false);
        Field(out, std::to_string(answers.wrong), false);
        // "falsch" alone would become a truth value in a German spreadsheet.
        Field(out, found == history.end() ? "" : answers.lastRight ? "richtig" : "nicht richtig", !extra);
        if (extra) {
            const std::vector<std::string> cells = more->cells(words.columnInt(0));
            for (size_t i = 0; i < more->headers.size(); ++i)
                Field(out, i < cells.size() ? cells[i] : std::string(), i + 1 == more->headers.size());
        }
        ++written;
    }
    return written;
}

}  // namespace morvanta::stats
