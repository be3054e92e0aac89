#include "platform/services.h"

#include <QDesktopServices>
#include <QUrl>
#include <pwd.h>
#include <unistd.h>

namespace morvanta::platform {

QString LoginName() {
    if (const char* login = getlogin(); login && *login) return QString::fromLocal8Bit(login);
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::fromLocal8Bit(qgetenv("USER"));
}

void OpenUrl(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

}  // namespace morvanta::platform
