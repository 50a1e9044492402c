#pragma once
// A main window on the program's own project workspace, with scripted messages and private
// settings, and the bundled example project at hand.

#include "gui/app/Main.h"
#include "gui/app/tests/support/TempFolder.h"
#include "gui/common/tests/support/ScriptedMessages.h"

#include <memory>

namespace dorvek::test {

inline const std::string Example = "driven-pile-clay-over-sand.dv4d";

struct TRealWindow {
    TTempFolder Dir;
    TScriptedMessages Messages;
    std::unique_ptr<TMainForm> Form;

    explicit TRealWindow(std::string kernelFolder = {}) {
        TMainEnvironment env;
        env.KernelFolder = kernelFolder.empty() ? Dir.File("no-kernel") : kernelFolder;
        env.SettingsFile = Dir.File("settings.ini");
        Form = std::make_unique<TMainForm>(env, &Messages);
    }
    TMainController& Controller() { return Form->Controller(); }
    TProjectWorkspace& Project() { return Form->Controller().Project(); }
    // A copy of an example in the test's folder.
    std::string CopyExample(const std::string& name = Example) {
        const auto target = Dir.Path() / name;
        std::filesystem::copy_file(std::filesystem::path(DORVEK_SOURCE_DIR) / "examples" / name,
                                   target);
        return target.string();
    }
};

} // namespace dorvek::test
