#include "exchange/progress_dialog.h"

#include <QProgressDialog>
#include <algorithm>

namespace morvanta::exchange {

namespace {
constexpr int kScale = 1000;          // the bar counts in thousandths
constexpr qint64 kUpdateEveryMs = 50;  // keeps the event processing off the hot path
}  // namespace

RunProgress::RunProgress(QWidget* parent, const QString& label, std::int64_t total)
    : dialog_(new QProgressDialog(label, QStringLiteral("Abbrechen"), 0, kScale, parent)),
      total_(std::max<std::int64_t>(total, 1)) {
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(500);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
    sinceUpdate_.start();
}

RunProgress::~RunProgress() { delete dialog_; }

ProgressFn RunProgress::callback() {
    return [this](std::int64_t done) { return step(done); };
}

bool RunProgress::step(std::int64_t done) {
    if (sinceUpdate_.elapsed() >= kUpdateEveryMs) {
        sinceUpdate_.restart();
        // For a modal dialog setValue also lets Qt handle a click on "Abbrechen".
        dialog_->setValue(static_cast<int>(std::min<std::int64_t>(done, total_) * kScale / total_));
    }
    return !dialog_->wasCanceled();
}

}  // namespace morvanta::exchange
