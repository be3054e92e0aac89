// "check": the table file's verdict and what it holds.

#include <iostream>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/selection.h"
#include "cli/table_access.h"
#include "store/data_set.h"
#include "store/database.h"
#include "store/engine_error.h"

namespace morvanta::cli {

namespace {

struct Counts {
    int words = 0, marked = 0;
    std::vector<std::string> lessons;
};

Counts CountWords(store::Session& session) {
    Counts counts;
    store::Table table(session, store::kVocabularyAlias, "Vokabel.DB");
    table.open();
    counts.words = table.recordCount();
    store::Query query(session, store::kVocabularyAlias);
    query.run({kDefaultSelection});
    counts.marked = query.recordCount();
    query.run({"SELECT DISTINCT Lesson FROM Vokabel ORDER BY Lesson;"});
    for (query.first(); !query.eof(); query.next())
        counts.lessons.push_back(query.asString("Lesson"));
    return counts;
}

std::string LessonList(const std::vector<std::string>& lessons) {
    constexpr size_t kListed = 30;
    std::string text = std::to_string(lessons.size());
    if (lessons.empty() || lessons.size() > kListed) return text;
    text += " (";
    for (size_t i = 0; i < lessons.size(); ++i) text += (i ? ", " : "") + lessons[i];
    return text + ")";
}

}  // namespace

int RunCheck(const Arguments& args) {
    TableAccess access(args.db);
    store::Database& db = access.open(false);
    db.awaitCheck();
    std::cout << "Vokabeldatei: " << db.file().string() << "\n";
    try {
        const Counts counts = CountWords(access.session());
        std::cout << "Vokabeln:     " << counts.words << "\n"
                  << "Markiert:     " << counts.marked << "\n"
                  << "Lektionen:    " << LessonList(counts.lessons) << "\n";
    } catch (const store::EngineError& e) {
        std::cout << "Vokabeln:     nicht lesbar (" << e.what() << ")\n";
    }
    if (db.takeOrderRepaired()) std::cout << "Die Reihenfolge der Vokabeln wurde erneuert.\n";
    const bool damaged = db.damaged();
    // Written by another program while the command ran: what it counted may be stale,
    // so no verdict is given; the file itself is sound.
    const bool changed = db.changedUnderneath();
    std::cout << "Zustand:      "
              << (damaged         ? "beschädigt"
                  : changed       ? "während der Prüfung von einem anderen Programm geändert, "
                                    "bitte erneut prüfen"
                  : db.readOnly() ? "in Ordnung, nur zum Lesen"
                                  : "in Ordnung")
              << "\n";
    if (!db.warning().empty()) std::cerr << db.warning() << "\n";
    return damaged || changed ? kExitRefused : kExitOk;
}

}  // namespace morvanta::cli
