#pragma once
// Qt Gui without a display, for the picture outputs of dorvek-run. Create one on the main
// thread before the first picture is drawn and keep it alive until the last one is written;
// pictures may then be drawn from worker threads.
//   dorvek::cli::OffscreenGui gui;   // no-op when a QGuiApplication already exists

#include <memory>

class QGuiApplication;

namespace dorvek::cli {

class OffscreenGui {
public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    std::unique_ptr<QGuiApplication> fApp;
};

} // namespace dorvek::cli
