#pragma once
// Operating-system services the program asks for.

#include <QString>

namespace morvanta::platform {

// The current user's login name; empty when the system cannot tell.
QString LoginName();

// Opens a web address with the desktop's default browser; failures are silent.
void OpenUrl(const QString& url);

}  // namespace morvanta::platform
