// What the main window does to keep the learner's table safe: progress for long
// statements, word of a damaged or read-only file, the daily backup.

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <string>

#include "app/tform1.h"
#include "core/memory/memory_settings.h"
#include "platform/guard.h"
#include "store/backup_count.h"
#include "store/backup.h"
#include "store/database.h"

namespace morvanta::app {

void TForm1::watchOpenedTable() {
    auto db = session_.connect(store::kVocabularyAlias);
    db->setLongWork(&queryProgress_);
    if (!db->warning().empty()) dialogs_->showError(QString::fromStdString(db->warning()));
}

void TForm1::WordsChanged() {
    platform::Guarded(*dialogs_, [this] {
        if (Table1.active()) Table1.refresh();
        if (Query2.active()) Query2.refresh();
        StatusBar1->setPanelText(
            0, QString::number(Table1.recordCount()) + QStringLiteral(" Vokabeln in der DB"));
    });
}

void TForm1::checkTableThenBackUp() {
    if (!Table1.active() || backup_.joinable()) return;
    std::shared_ptr<store::Database> db;
    try {
        db = session_.connect(store::kVocabularyAlias);
    } catch (const std::exception&) {
        return;
    }
    // The check of the table runs beside the window, started only now so that it
    // does not slow the start; the copy waits for it, and for a long statement
    // whose progress dialog let this timer run.
    db->startCheck();
    if (db->checkPending() || db->busy()) {
        QTimer::singleShot(50, this, &TForm1::checkTableThenBackUp);
        return;
    }
    const bool knownReadOnly = db->readOnly();
    db->awaitCheck();
    // The words' memory follows the history (other tools may have changed it).
    platform::Guarded(*dialogs_, [this, &db] { memory::KeepInStep(*db, memory::ReadLearnerSettings(config_).model); });
    // A damaged or read-only file is not copied: it would push good copies out.
    if (db->readOnly()) {
        if (!knownReadOnly) dialogs_->showError(QString::fromStdString(db->warning()));
        return;
    }
    if (db->takeOrderRepaired()) {
        // Words that other tools replaced got their place only now.
        platform::Guarded(*dialogs_, [this] {
            Query1.close();
            Query1.open();
        });
        WordsChanged();
    }
    const std::filesystem::path file = db->file();
    const int keep = store::BackupCount(config_, store::kVocabularyAlias);
    QPointer<TForm1> self(this);
    // The copy reads through its own connection, so the window goes on at once.
    backup_ = std::thread([file, keep, self, stop = &stopBackup_] {
        try {
            store::WriteDailyBackup(file, store::TodayIso(), keep, stop);
        } catch (const std::exception& e) {
            if (stop->load()) return;  // the program ends; the next start copies again
            const QString text = QStringLiteral("Die tägliche Sicherung der Vokabeln konnte nicht "
                                                "geschrieben werden: ") +
                                 QString::fromStdString(e.what());
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [self, text] {
                    if (self) self->dialogs().showError(text);
                },
                Qt::QueuedConnection);
        }
    });
}

}  // namespace morvanta::app
