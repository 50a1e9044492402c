#pragma once
// A main window on a marker project workspace with scripted messages and private settings.

#include "gui/app/Main.h"
#include "gui/app/tests/support/TempFolder.h"
#include "gui/app/tests/support/TestWorkspace.h"
#include "gui/common/tests/support/ScriptedMessages.h"

#include <QAction>
#include <QMenu>

#include <functional>
#include <memory>

namespace dorvek::test {

struct TWindowFixture {
    TTempFolder Dir;
    TScriptedMessages Messages;
    TTestWorkspace::TLog Log;
    TTestWorkspace* Workspace = nullptr;
    std::unique_ptr<TMainForm> Form;

    // adjust: changes to the environment before the window is made.
    explicit TWindowFixture(std::string kernelFolder = {},
                            const std::function<void(TMainEnvironment&)>& adjust = {}) {
        TMainEnvironment env;
        env.KernelFolder = kernelFolder.empty() ? Dir.File("no-kernel-here") : kernelFolder;
        env.SettingsFile = Dir.File("settings.ini");
        if (adjust) adjust(env);
        auto workspace = std::make_unique<TTestWorkspace>(Log);
        Workspace = workspace.get();
        Form = std::make_unique<TMainForm>(env, &Messages, std::move(workspace));
    }

    TMainController& Controller() { return Form->Controller(); }
    TProgramData& Data() { return Controller().Project().Data(); }

    // Opens a top-level menu the way the user would, so its rules are evaluated.
    QMenu* OpenMenu(int index) {
        QMenu* menu = Form->TopMenus().at(static_cast<size_t>(index));
        emit menu->aboutToShow();
        return menu;
    }
    bool MenuEnabled(TCommand c) { return Form->MenuAction(c)->isEnabled(); }
    bool ToolEnabled(TCommand c) { return Form->ToolAction(c)->isEnabled(); }
};

} // namespace dorvek::test
