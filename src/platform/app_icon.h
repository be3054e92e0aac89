#pragma once
#include <QIcon>

namespace morvanta::platform {
// The program's own 32 x 32 icon, drawn at run time.
QIcon AppIcon();
}  // namespace morvanta::platform
