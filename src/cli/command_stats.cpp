// "stats": the learner's progress as the page "Statistik" shows it, or every
// word's figures as CSV, for one direction of asking.

#include <QDate>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <iostream>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/selection.h"
#include "cli/table_access.h"
#include "core/memory/memory_columns.h"
#include "core/memory/memory_settings.h"
#include "core/stats/direction.h"
#include "core/stats/learning_stats.h"
#include "core/stats/stats_csv.h"
#include "store/database.h"
#include "store/file_saver.h"

namespace morvanta::cli {

namespace {

void WriteCsv(store::Database& db, const std::string& out, stats::Direction direction) {
    int written = 0;
    try {
        store::FileSaver saver(out);
        const stats::WordColumns memoryColumns = memory::MemoryColumns(db, direction, store::SystemClock().now());
        written = stats::WriteStatisticsCsv(db, saver.stream(), direction, &memoryColumns);
        saver.commit();
    } catch (const store::FileSaveError& e) {
        throw Refusal(NotSaved(out, e));
    }
    std::cout << out << ": " << written << (written == 1 ? " Vokabel" : " Vokabeln") << " geschrieben.\n";
}

constexpr char kNone[] = "  (keine)\n";

// Columns on a terminal count characters, not bytes ("Fehlerquote je Typ" has
// umlauts, and kana take two columns).
int TerminalWidth(const std::string& text) {
    int width = 0;
    for (const char32_t c : QString::fromStdString(text).toUcs4()) {
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                          (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                          (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
        width += wide ? 2 : 1;
    }
    return width;
}

std::string PaddedLeft(const std::string& text, int width) {
    return text + std::string(static_cast<size_t>(std::max(0, width - TerminalWidth(text))), ' ');
}

std::string PaddedRight(const std::string& text, int width) {
    return std::string(static_cast<size_t>(std::max(0, width - TerminalWidth(text))), ' ') + text;
}

void PrintGroups(const char* title, const std::vector<stats::GroupErrors>& groups) {
    std::cout << title << "\n";
    if (groups.empty()) std::cout << kNone;
    const QLocale german(QLocale::German);
    for (const stats::GroupErrors& group : groups)
        std::cout << "  " << PaddedLeft(group.label, 18)
                  << PaddedRight(german.toString(100.0 * group.ratio(), 'f', 1).toStdString(), 6) << " %  ("
                  << group.wrong << " von " << group.asked << ")\n";
}

void PrintReport(store::Database& db, QDate today, int days, stats::Direction direction) {
    const stats::WordFigures figures = stats::ReadWordFigures(db, today, direction);
    const bool german = direction == stats::Direction::GermanToJapanese;
    std::cout << "Richtung: " << (german ? "Deutsch → Japanisch" : "Japanisch → Deutsch") << "\n"
              << "Vokabeln: " << figures.words << ", markiert: " << figures.marked
              << ", schon abgefragt: " << figures.askedOnce << "\n"
              << "Antworten in den letzten 7 Tagen: " << stats::AnswersInLastWeek(db, today, direction)
              << ", Tage in Folge geübt: " << stats::PracticeStreak(db, today, direction) << "\n\n";
    std::cout << "Antworten pro Tag (richtig/falsch), letzte " << days << " Tage:\n";
    bool any = false;
    for (const stats::DayAnswers& day : stats::AnswersPerDay(db, today, days, direction)) {
        if (day.right + day.wrong == 0) continue;
        any = true;
        std::cout << "  " << day.day.toString(QStringLiteral("dd.MM.yyyy")).toStdString() << "  " << day.right
                  << "/" << day.wrong << "\n";
    }
    if (!any) std::cout << kNone;
    const stats::LastAskedSpread& last = figures.lastAsked;
    std::cout << "\nZuletzt abgefragt: heute " << last.today << ", vor 1–6 Tagen " << last.lastWeek
              << ", vor 7–29 Tagen " << last.lastMonth << ", früher " << last.longer << ", nie "
              << last.never << "\n\n";
    PrintGroups("Fehlerquote je Lektion:", figures.lessons);
    PrintGroups("Fehlerquote je Typ:", figures.types);
    std::cout << "\nOft falsch (falsch/abgefragt):\n";
    if (figures.trouble.empty()) std::cout << kNone;
    for (const stats::TroubleWord& word : figures.trouble)
        std::cout << "  " << word.wrong << "/" << word.asked << "  " << word.kanji << "  " << word.kana << "  "
                  << word.translation << "\n";
}

}  // namespace

int RunStats(const Arguments& args) {
    const stats::Direction direction = DirectionOption(args);
    const int days = args.value("--days") ? IntegerOption("--days", *args.value("--days"), 1, 3650) : 30;
    TableAccess access(args.db);
    store::Database& db = access.open();
    if (const auto csv = args.value("--csv")) {
        memory::KeepInStep(db, memory::ReadLearnerSettings(access.config()).model);
        WriteCsv(db, *csv, direction);
        return kExitOk;
    }
    PrintReport(db, QDate::currentDate(), days, direction);
    return kExitOk;
}

}  // namespace morvanta::cli
