#pragma once
// The screenshot tools' way of picturing a modal dialog: header-only, as the tools are single
// programs each.

#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <iostream>

namespace dorvek {

// Runs a command that opens a modal dialog; once the dialog has been shown and laid out,
// `work` may act on it, then a picture is saved into `file` and the dialog cancelled. False
// when no dialog came up.
inline bool GrabModal(const std::function<void()>& open, const QString& file,
                      const std::function<void(QWidget&)>& work = {}) {
    bool taken = false, busy = false;
    QPointer<QWidget> seen;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || taken || busy) return;
        if (seen != modal) { // first sight: let it lay out and paint once more
            seen = modal;
            return;
        }
        busy = true; // the work may answer events, this timer's among them
        if (work) work(*modal);
        QApplication::processEvents();
        modal->grab().save(file);
        std::cout << file.toStdString() << "\n";
        taken = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    timer.start();
    open();
    timer.stop();
    if (!taken)
        std::cerr << QCoreApplication::applicationName().toStdString() << ": no dialog for "
                  << file.toStdString() << "\n";
    return taken;
}

} // namespace dorvek
