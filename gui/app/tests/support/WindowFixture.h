#pragma once
// A main window on a marker project workspace with scripted messages and private settings.

#include "Main.h"
#include "ScriptedMessages.h"
#include "TempFolder.h"
#include "TestWorkspace.h"

#include <QAction>
#include <QMenu>

#include <memory>

namespace dorvek::test {

struct TWindowFixture {
    TTempFolder Dir;
    TScriptedMessages Messages;
    TTestWorkspace::TLog Log;
    TTestWorkspace* Workspace = nullptr;
    std::unique_ptr<TMainForm> Form;

    explicit TWindowFixture(std::string kernelFolder = {}) {
        TMainEnvironment env;
        env.KernelFolder = kernelFolder.empty() ? Dir.File("no-kernel-here") : kernelFolder;
        env.SettingsFile = Dir.File("settings.ini");
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
