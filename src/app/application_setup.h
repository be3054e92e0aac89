#pragma once
// What the program sets on the application before the main window is built.

class QApplication;

namespace morvanta::app {

// Names the application without a display name (so the window title is the
// caption alone), sets the interface font and installs Qt's German texts for
// the standard dialogs and buttons, whatever the system's language. Returns
// false when Qt's German translations are not installed.
bool SetUpApplication(QApplication& application);

}  // namespace morvanta::app
