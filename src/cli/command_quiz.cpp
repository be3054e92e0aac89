// "quiz": a quiz session over the selection, new or taken up from a status file.

#include <unistd.h>

#include <QString>
#include <charconv>
#include <chrono>
#include <iostream>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/selection.h"
#include "cli/today_plan.h"
#include "cli/table_access.h"
#include "store/database.h"
#include "cli/terminal_progress.h"
#include "cli/terminal_quiz.h"
#include "core/quiz/question_queue.h"
#include "core/quiz/quiz_session.h"
#include "core/quiz/random_source.h"
#include "core/quiz/status_file.h"
#include "core/quiz/status_file_io.h"
#include "store/engine_error.h"

namespace morvanta::cli {

namespace {

std::uint64_t Seed(const Arguments& args) {
    const auto text = args.value("--seed");
    if (!text)
        return static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count());
    std::uint64_t seed = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, error] = std::from_chars(text->data(), end, seed);
    if (text->empty() || error != std::errc() || ptr != end)
        throw UsageError("Die Option --seed erwartet eine ganze Zahl ab 0, nicht " + Quoted(*text) + ".");
    return seed;
}

void RequireNoSelectionWithResume(const Arguments& args) {
    for (std::string_view option : {"--sql", "--lesson", "--type", "--ratio", "--older-than", "--asked-before",
                                    "--direction", "--due", "--count", "--new"})
        if (args.has(option))
            throw UsageError("--resume setzt die gespeicherte Auswahl fort; " +
                             std::string(option) + " passt nicht dazu.");
}

quiz::StatusFileContent ReadStatus(const std::string& fileName) {
    try {
        return quiz::ReadStatusFile(quiz::ReadFileBytes(QString::fromStdString(fileName)));
    } catch (const quiz::NotAStatusFileError&) {
        throw Refusal(Quoted(fileName) + " ist keine Abfrage-Statusdatei.");
    } catch (const std::exception& e) {
        throw Refusal(e.what());
    }
}

// False when nothing is left to ask (the reason is on stderr).
bool Resume(quiz::QuizState& state, store::Query& query, const std::string& fileName,
            stats::Direction& direction) {
    const quiz::StatusFileContent content = ReadStatus(fileName);
    direction = content.direction;  // the quiz goes on the way it was asked
    quiz::ResumeResult resumed;
    try {
        resumed = quiz::ResumeSession(state, query, content);
    } catch (const quiz::DamagedStatusFileError& e) {
        throw Refusal(e.what());
    } catch (const quiz::QueueError& e) {
        throw Refusal("Die Abfrage-Statusdatei ist beschädigt: " + std::string(e.what()));
    } catch (const store::EngineError& e) {
        RefuseSelection(e, "Die gespeicherte Auswahl kann nicht ausgeführt werden: ");
    }
    if (resumed.countChanged)
        std::cerr << "Achtung: Der Vokabelbestand wurde seit der Speicherung geändert.\n";
    if (resumed.dropped > 0 && !resumed.countChanged) std::cerr << quiz::DroppedWordsNote(resumed.dropped) << "\n";
    if (resumed.added > 0) std::cerr << quiz::AddedWordsNote(resumed.added) << "\n";
    if (resumed.nothingLeft)
        std::cerr << "Die gespeicherte Abfrage hat keine Vokabel mehr abzufragen.\n";
    return resumed.resumed;
}

}  // namespace

int RunQuiz(const Arguments& args) {
    WatchInterrupt();
    const auto resume = args.value("--resume");
    if (resume) RequireNoSelectionWithResume(args);
    if (!args.has("--due") && (args.has("--count") || args.has("--new")))
        throw UsageError("--count und --new gehören zu --due.");
    if (args.has("--due"))
        for (std::string_view option : {"--sql", "--lesson", "--type", "--ratio", "--older-than", "--asked-before"})
            if (args.has(option))
                throw UsageError("--due wählt die fälligen Vokabeln selbst; " + std::string(option) +
                                 " passt nicht dazu.");
    const bool due = !resume && args.has("--due");
    std::string statement = resume || due ? std::string() : SelectionStatement(args);
    const bool randomOrder = !args.has("--in-order");
    quiz::StdRandom random(Seed(args));
    quiz::QuizOptions options;
    options.direction = DirectionOption(args);
    options.Tolerant = args.has("--tolerant");

    TableAccess access(args.db);
    store::Database& db = access.open();
    // A damaged file turns read-only once its check is done: known before the first question.
    db.awaitCheck();
    if (db.readOnly()) {
        options.Book = false;
        std::cerr << "Die Antworten werden geprüft, aber nicht gespeichert: In die Vokabeldatei kann "
                     "nicht geschrieben werden.\n";
    }
    if (due) {
        const memory::TodayPlan plan = TodayPlanFor(access, args, options.direction);
        if (plan.due.empty() && plan.fresh.empty()) {
            std::cerr << "Heute ist keine Vokabel fällig, und keine neue ist an der Reihe.\n";
            return kExitOk;
        }
        statement = memory::TodaySelectionSql(plan);
    }
    store::Query query(access.session(), store::kVocabularyAlias);
    query.setWordsOnly(true);
    quiz::QuizState state;
    quiz::SessionStart start = quiz::SessionStart::Empty;
    // As in the window, every opening of the selection starts the session anew.
    query.afterOpen = [&](store::DataSet& opened) {
        start = quiz::StartSession(state, opened, randomOrder, random);
    };
    bool ready = false;
    if (resume) {
        ready = Resume(state, query, *resume, options.direction);
    } else {
        state.SelectionSql = statement;
        OpenSelection(query, statement);
        ready = start == quiz::SessionStart::Ready;
    }
    if (state.SelectionCount == 0) {
        std::cerr << "Keine Vokabel ausgewählt.\n";
        return kExitOk;
    }
    if (start == quiz::SessionStart::TooLarge)
        throw Refusal("Die Auswahl enthält " + std::to_string(state.SelectionCount) +
                      " Vokabeln. Eine Abfrage kann höchstens " +
                      std::to_string(quiz::kMaxQueueRecord) +
                      " Vokabeln umfassen; bitte die Auswahl einschränken.");
    if (!ready) return kExitOk;

    TerminalQuiz(query, state, options, random, std::cin, std::cout, ::isatty(STDIN_FILENO) != 1)
        .run();
    return kExitOk;
}

}  // namespace morvanta::cli
