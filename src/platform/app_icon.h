#pragma once
#include <QIcon>

namespace morvanta::platform {
// The program's icon (packaging/icons), in the sizes the desktop asks for.
QIcon AppIcon();
}  // namespace morvanta::platform
