#pragma once
// A statement that runs longer than a second shows a progress dialog with
// "Abbrechen"; cancelling interrupts it and nothing changes.

#include <QPointer>
#include <QProgressDialog>

#include "store/database.h"

namespace morvanta::platform {

class QueryProgress : public store::Database::LongWork {
public:
    explicit QueryProgress(QWidget* owner) : owner_(owner) {}
    ~QueryProgress() override;
    bool keepGoing(std::chrono::milliseconds elapsed) override;
    void done() override;

private:
    QWidget* owner_;
    QPointer<QProgressDialog> dialog_;
};

}  // namespace morvanta::platform
