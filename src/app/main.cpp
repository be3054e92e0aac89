#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "app/application_setup.h"
#include "app/tform1.h"

int main(int argc, char** argv) {
    // Asked from a terminal, answered without opening a window.
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--version" || option == "-V") {
            std::printf("Morvanta " MORVANTA_VERSION "\n");
            return 0;
        }
        if (option == "--help" || option == "-h") {
            std::printf("Morvanta – Japanisch-Vokabeltrainer\n\nAufruf: Morvanta [--version | --help]\n\n"
                        "Ohne Optionen öffnet sich das Fenster. Für die Arbeit im Terminal: morvanta-cli --help\n");
            return 0;
        }
    }
    QApplication application(argc, argv);
    morvanta::app::SetUpApplication(application);

    morvanta::app::TForm1 form;
    if (form.quitRequested()) {
        // The request takes effect once the event loop runs.
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    } else {
        form.show();
    }
    return application.exec();
}
