// "backup": today's copy of the table beside it, as the window makes it once a day.

#include <iostream>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/table_access.h"
#include "cli/terminal_progress.h"
#include "store/backup_count.h"
#include "store/backup.h"
#include "store/database.h"
#include "store/engine_error.h"

namespace morvanta::cli {

int RunBackup(const Arguments& args) {
    WatchInterrupt();
    TableAccess access(args.db);
    store::Database& db = access.open(false);
    db.awaitCheck();
    // A damaged copy would push good ones out.
    if (db.readOnly()) throw Refusal("Die Vokabeldatei wird nicht gesichert: " + db.warning());
    const std::string date = store::TodayIso();
    std::filesystem::path written;
    try {
        // Asked for, the copy holds the table as it is now, also when today's was made earlier.
        written = store::WriteDailyBackup(db.file(), date,
                                          store::BackupCount(access.config(), store::kVocabularyAlias),
                                          &InterruptFlag(), true);
    } catch (const store::EngineError& e) {
        if (Interrupted()) throw Refusal("Abgebrochen; es wurde keine Sicherung geschrieben.");
        throw Refusal("Die Sicherung konnte nicht geschrieben werden: " + std::string(e.what()));
    }
    std::cout << "Gesichert: " << written.string() << "\n";
    return kExitOk;
}

}  // namespace morvanta::cli
