#pragma once
// A cancellable progress dialog for the page's long runs. It shows up only
// when a run takes a while, and hands the headless runs their callback.

#include <QElapsedTimer>
#include <QString>
#include <cstdint>

#include "core/exchange/run_progress.h"

class QProgressDialog;
class QWidget;

namespace morvanta::exchange {

class RunProgress {
public:
    RunProgress(QWidget* parent, const QString& label, std::int64_t total);
    ~RunProgress();
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    ProgressFn callback();

private:
    bool step(std::int64_t done);
    QProgressDialog* dialog_;
    std::int64_t total_;
    QElapsedTimer sinceUpdate_;
};

}  // namespace morvanta::exchange
