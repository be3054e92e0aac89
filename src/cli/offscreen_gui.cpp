#include "cli/offscreen_gui.h"

#include <QGuiApplication>

namespace morvanta::cli {

namespace {
int argc = 1;
char name[] = "morvanta-cli";
char* argv[] = {name, nullptr};
}  // namespace

OffscreenGui::OffscreenGui() {
    // Nothing is shown: no display is needed, and none is asked for.
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    // Qt's own notes (a missing runtime folder) are no message for the learner.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

OffscreenGui::~OffscreenGui() = default;

}  // namespace morvanta::cli
