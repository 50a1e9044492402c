#pragma once
// The menu item with the given caption, searched through the submenus as well.

#include <QAction>
#include <QMenu>

namespace dorvek::test {

inline QAction* FindAction(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) return action;
        if (action->menu())
            if (QAction* inner = FindAction(action->menu(), text)) return inner;
    }
    return nullptr;
}

} // namespace dorvek::test
