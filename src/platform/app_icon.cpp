#include "platform/app_icon.h"

namespace morvanta::platform {

QIcon AppIcon() {
    // The PNGs installed for the desktop's menu, built in: the window shows the same icon.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace morvanta::platform
