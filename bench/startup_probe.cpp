// Starts the program's main window the way main() does, on the table named by
// the arguments, and ends as soon as the window is shown and the events posted
// meanwhile have run, without tearing anything down. The start-up benchmark
// times whole runs of it: process start until the learner can act.
// With --settled it stays until the start-up's work beside the window (the check
// of the table, the daily copy) has long ended, then prints the process's peak
// and its resident memory then, in kB.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

#include "app/application_setup.h"
#include "app/tform1.h"
#include "platform/dialogs.h"

namespace {

long StatusKb(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(key.size()));
    return 0;
}

constexpr int kSettleMs = 4000;

}  // namespace

int main(int argc, char** argv) {
    const bool settled = argc == 4 && std::strcmp(argv[3], "--settled") == 0;
    if (argc != 3 && !settled) return 2;
    QApplication application(argc, argv);
    morvanta::app::SetUpApplication(application);
    morvanta::platform::ScriptedDialogs dialogs;
    morvanta::app::TForm1 form(morvanta::app::TForm1Options{argv[1], QString::fromLocal8Bit(argv[2]), &dialogs});
    form.show();
    QTimer::singleShot(settled ? kSettleMs : 0, &application, &QCoreApplication::quit);
    application.exec();
    if (settled) std::printf("%ld %ld\n", StatusKb("VmHWM:"), StatusKb("VmRSS:"));
    std::fflush(stdout);
    _exit(dialogs.messages.isEmpty() ? 0 : 1);
}
