#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "app/tform1.h"
#include "platform/fonts.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvanta"));
    // The window title is the caption alone: no application name after it.
    QApplication::setApplicationDisplayName(QString(QLatin1String("")));  // empty, not unset
    QApplication::setFont(morvanta::platform::UiFont(12));
    // Qt's own dialogs and buttons speak German, whatever the system's language.
    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);

    morvanta::app::TForm1 form;
    if (form.quitRequested()) {
        // The request takes effect once the event loop runs.
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    } else {
        form.show();
    }
    return application.exec();
}
