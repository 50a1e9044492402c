#pragma once
// A window shown as a child window of the main window is activated through its frame: this
// calls changed(active) whenever the frame gains or loses activation.

#include <QMdiSubWindow>
#include <QWidget>

namespace dorvek {

template <typename Changed> void FollowSubWindowActivation(QWidget& window, Changed changed) {
    auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    if (!sub) return;
    QObject::connect(sub, &QMdiSubWindow::windowStateChanged, &window,
                     [changed](Qt::WindowStates before, Qt::WindowStates now) {
                         const bool was = before & Qt::WindowActive;
                         const bool is = now & Qt::WindowActive;
                         if (was != is) changed(is);
                     });
}

} // namespace dorvek
