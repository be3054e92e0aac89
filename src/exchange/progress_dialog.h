#pragma once
// The progress of the page's long runs, shown through the dialogs, and the
// callback the headless runs take.

#include <QString>
#include <cstdint>
#include <memory>

#include "core/exchange/run_progress.h"
#include "platform/dialogs.h"

class QWidget;

namespace morvanta::exchange {

class RunProgress {
public:
    RunProgress(platform::Dialogs& dialogs, QWidget* parent, const QString& label,
                std::int64_t total)
        : progress_(dialogs.showProgress(parent, label, total)) {}

    ProgressFn callback() {
        return [this](std::int64_t done) { return progress_->step(done); };
    }
    void setLabel(const QString& text) { progress_->setLabel(text); }

private:
    std::unique_ptr<platform::Progress> progress_;
};

}  // namespace morvanta::exchange
