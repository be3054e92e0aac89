#pragma once
// The default error report: every handler runs inside Guarded(), so an
// exception ends the handler with an error box instead of crossing Qt's event loop.

#include <QString>
#include <exception>
#include <utility>

#include "platform/dialogs.h"

namespace morvanta::platform {

QString ErrorText(const std::exception& e);

template <class F>
bool Guarded(Dialogs& dialogs, F&& handler) {
    try {
        std::forward<F>(handler)();
        return true;
    } catch (const std::exception& e) {
        dialogs.showError(ErrorText(e));
    } catch (...) {
        dialogs.showError(QStringLiteral("Unbekannter Fehler"));
    }
    return false;
}

}  // namespace morvanta::platform
