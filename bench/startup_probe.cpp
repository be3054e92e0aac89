// Starts the program's main window the way main() does, on the table named by
// the arguments, and ends as soon as the window is shown and the events posted
// meanwhile have run, without tearing anything down. The start-up benchmark
// times whole runs of it: process start until the learner can act.
#include <QApplication>
#include <QTimer>
#include <unistd.h>

#include "app/application_setup.h"
#include "app/tform1.h"
#include "platform/dialogs.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    QApplication application(argc, argv);
    morvanta::app::SetUpApplication(application);
    morvanta::platform::ScriptedDialogs dialogs;
    morvanta::app::TForm1 form(morvanta::app::TForm1Options{argv[1], QString::fromLocal8Bit(argv[2]), &dialogs});
    form.show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    application.exec();
    _exit(dialogs.messages.isEmpty() ? 0 : 1);
}
