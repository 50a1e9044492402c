#include "cli/OffscreenGui.h"

#include <QGuiApplication>

namespace dorvek::cli {

namespace {

// QGuiApplication keeps references to its arguments for its whole life.
int gArgc = 1;
char gName[] = "dorvek-run";
char* gArgv[] = {gName, nullptr};

} // namespace

OffscreenGui::OffscreenGui() {
    if (QCoreApplication::instance() != nullptr) return;
    // Pictures only: never look for a display, whatever the environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fApp = std::make_unique<QGuiApplication>(gArgc, gArgv);
}

OffscreenGui::~OffscreenGui() = default;

} // namespace dorvek::cli
