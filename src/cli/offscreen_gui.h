#pragma once
// The fonts and painting the PDF sheets need, without a window: a Qt GUI
// application on the offscreen platform, so the commands run in any terminal.

#include <memory>

class QGuiApplication;

namespace morvanta::cli {

class OffscreenGui {
public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace morvanta::cli
