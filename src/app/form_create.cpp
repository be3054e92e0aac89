// The main window's start-up step.

#include <QFile>
#include <QTabWidget>
#include <chrono>

#include "app/tform1.h"
#include "core/setup/alias_folder.h"
#include "core/exchange/file_names.h"
#include "platform/guard.h"

namespace morvanta::app {

// Makes sure the alias "Vokabel" exists; false when the application must end.
bool TForm1::ensureAlias() {
    bool known = false;
    const bool readable = platform::Guarded(*dialogs_, [&] {
        config_.setConfigModePersistent();
        known = config_.isAliasKnown(store::kVocabularyAlias);
    });
    if (!readable) return false;
    if (known) return true;  // used unchanged, whatever folder or driver it names

    const std::filesystem::path program = exchange::ToPath(programDir_);
    setup::AliasFolder folder;
    try {
        const bool writable = programFolderWritable_ ? programFolderWritable_(program)
                                                     : setup::CanCreateFilesIn(program);
        folder = setup::PrepareAliasFolder(program, writable, dataFolder_);
    } catch (const std::exception& e) {
        dialogs_->showError(QStringLiteral("Die Erschaffung eines Datenbank Alias schlug fehl!\r\n") +
                            QString::fromStdString(e.what()));
        return false;
    }

    try {
        config_.addStandardAlias(store::kVocabularyAlias, {"PATH=" + folder.path.string(), "DEFAULT DRIVER=PARADOX"});
        config_.saveConfig();
    } catch (const std::exception&) {
        dialogs_->showInfo(QStringLiteral(
            "Die Erschaffung eines Datenbank Alias schlug fehl!\r\n"
            "Mögliche Fehlerursache:keine Borland Database Engine installiert."));
        return false;
    }
    dialogs_->showInfo(QStringLiteral("Created Database Alias.\r\nIhre Vokabeln werden in „") +
                       QFile::decodeName(QByteArray::fromStdString(folder.path.string())) +
                       QStringLiteral("“ gespeichert.\r\nF1 öffnet die Hilfe."));
    return true;
}

void TForm1::FormCreate() {
    // The check for old Windows versions has nothing to check on this platform.
    resize(kStartWidth, kStartHeight);

    if (!ensureAlias()) quitRequested_ = true;  // the remaining steps still run
    else restoreKeptSwitches();

    if (ownedRandom_) {
        const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
        ownedRandom_->seed(static_cast<std::uint64_t>(ticks));
    }

    const bool opened = platform::Guarded(*dialogs_, [this] {
        Table1.open();
        watchOpenedTable();
        Query1.open();
    });
    if (!opened) return;

    pageTabs->setCurrentWidget(TabSheet1);
    // DBEdit8, DBEdit7 and NoteEdit stretch with the window: their pages anchor them.
    StatusBar1->setPanelText(
        0, QString::number(Table1.recordCount()) + QStringLiteral(" Vokabeln gespeichert"));
    quizState.RightCount = 0;
    quizState.WrongCount = 0;
}

}  // namespace morvanta::app
