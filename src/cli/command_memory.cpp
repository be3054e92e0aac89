// "due": what is to be practised today; "fsrs optimize": the memory model fitted
// to the learner's answers.

#include <QString>
#include <iostream>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/selection.h"
#include "cli/table_access.h"
#include "cli/terminal_progress.h"
#include "cli/today_plan.h"
#include "core/memory/memory_settings.h"
#include "core/memory/model_fitting.h"
#include "store/alias_config.h"
#include "store/database.h"
#include "store/engine_error.h"
#include "text/rich_text.h"

namespace morvanta::cli {

namespace {

void PrintWords(store::Database& db, const std::vector<std::int64_t>& words, const char* kind) {
    store::Statement word =
        db.prepare("SELECT Kanji, \"Hira-Kata\", Hepburn, Translation1 FROM Vokabel WHERE rowid = ?1");
    for (std::int64_t id : words) {
        word.bindInt(1, id);
        if (word.step())
            std::cout << kind << '\t' << text::RtfToPlainText(word.columnText(0)) << '\t'
                      << text::RtfToPlainText(word.columnText(1)) << '\t' << word.columnText(2) << '\t'
                      << word.columnText(3) << '\n';
        word.reset();
    }
}

}  // namespace

int RunDue(const Arguments& args) {
    const stats::Direction direction = DirectionOption(args);
    TableAccess access(args.db);
    const memory::TodayPlan plan = TodayPlanFor(access, args, direction);
    std::cerr << "Heute: " << plan.dueNow << " fällig, " << plan.newAvailable << " neu verfügbar ("
              << plan.begunToday << " heute begonnen); gelistet: " << plan.due.size() << " fällig, "
              << plan.fresh.size() << " neu.\n";
    PrintWords(access.open(), plan.due, "fällig");
    PrintWords(access.open(), plan.fresh, "neu");
    return kExitOk;
}

int RunFsrs(const Arguments& args) {
    if (args.words.front() != "optimize")
        throw UsageError("fsrs kennt nur optimize, nicht " + Quoted(args.words.front()) + ".");
    WatchInterrupt();
    TableAccess access(args.db);
    store::Database& db = access.open();
    // The weights belong to the learner: they go into the user's engine configuration.
    store::AliasConfig config(store::AliasConfig::defaultPath());
    config.setConfigModePersistent();
    const memory::LearnerSettings settings = memory::ReadLearnerSettings(config);
    TerminalProgress progress("Modell anpassen", 1000);
    std::optional<memory::FitReport> report;
    try {
        report = memory::FitToLearner(db, settings.model.weights, [&progress](double done) {
            return progress.step(static_cast<std::int64_t>(done * 1000));
        });
    } catch (const std::runtime_error& e) {
        throw Refusal(e.what());
    }
    progress.finish();
    if (!report) throw Refusal("Abgebrochen.");
    std::cout << memory::FitReportText(*report) << "\n";
    if (report->better) {
        try {
            memory::SaveWeights(config, report->weights);
        } catch (const store::EngineError& e) {
            throw Refusal(std::string("Die Gewichte wurden nicht gespeichert: ") + e.what());
        }
        memory::LearnerSettings fitted = settings;
        fitted.model.weights = report->weights;
        memory::KeepInStep(db, fitted.model);
        std::cout << "Gespeichert in " << config.file().string() << "\n";
    }
    return kExitOk;
}

}  // namespace morvanta::cli
