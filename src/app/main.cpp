#include <QApplication>
#include <QTimer>

#include "app/application_setup.h"
#include "app/tform1.h"

int main(int argc, char** argv) {
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
