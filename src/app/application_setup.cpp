#include "app/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/fonts.h"

namespace morvanta::app {

bool SetUpApplication(QApplication& application) {
    QApplication::setApplicationName(QStringLiteral("Morvanta"));
    // Empty, not unset: an unset display name falls back to the application name,
    // which the window system would append to every title.
    QApplication::setApplicationDisplayName(QString(QLatin1String("")));
    // Ties the windows to the installed menu entry (its icon on Wayland).
    QApplication::setDesktopFileName(QStringLiteral("de.morvanta.Morvanta"));
    QApplication::setFont(platform::UiFont(12));
    auto* qtGerman = new QTranslator(&application);
    if (!qtGerman->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qtGerman;
        return false;
    }
    return QApplication::installTranslator(qtGerman);
}

}  // namespace morvanta::app
