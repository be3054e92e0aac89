#include "platform/query_progress.h"

#include <QCoreApplication>

namespace morvanta::platform {

namespace {
constexpr std::chrono::milliseconds kPatience{1000};
}

QueryProgress::~QueryProgress() { delete dialog_; }

bool QueryProgress::keepGoing(std::chrono::milliseconds elapsed) {
    if (elapsed < kPatience) return true;
    if (!dialog_) {
        dialog_ = new QProgressDialog(QStringLiteral("Die Abfrage läuft …"), QStringLiteral("Abbrechen"),
                                      0, 0, owner_);
        dialog_->setWindowTitle(QStringLiteral("Bitte warten"));
        // Modal: nothing else may use the table while the statement runs.
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->show();
    }
    QCoreApplication::processEvents();
    return dialog_ && !dialog_->wasCanceled();
}

void QueryProgress::done() { delete dialog_; }

}  // namespace morvanta::platform
