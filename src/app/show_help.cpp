// F1: the learner's guide, shipped beside the program (or in the shared data
// folder when installed), in one window that F1 brings to the front again.

#include "app/tform1.h"
#include "core/setup/program_files.h"
#include "platform/help_window.h"

namespace morvanta::app {

void TForm1::ShowHelp() {
    if (!helpWindow) {
        const std::filesystem::path page =
            setup::ShippedFile(programDir_.toStdString(), setup::kHelpFileName);
        helpWindow = new platform::HelpWindow(QString::fromStdString(page.string()), this);
    }
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
}

}  // namespace morvanta::app
