#include "TableWindows.h"

#include "TableChart.h"
#include "TableChartForm.h"
#include "TableFamily.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>

namespace dorvek {

void InstallTableEditors(const TTableWindowHost& host) {
    GridFamily().EditorFactory = [host](TGridTable& table,
                                        bool modal) -> std::unique_ptr<TTableEditor> {
        return std::make_unique<TTableForm>(table, modal, host);
    };
    ChartFamily().EditorFactory = [host](TGridTable& table,
                                         bool modal) -> std::unique_ptr<TTableEditor> {
        if (auto* chart = dynamic_cast<TGridTableChart*>(&table))
            return std::make_unique<TTableChartForm>(*chart, modal, host);
        return std::make_unique<TTableForm>(table, modal, host);
    };
}

void RemoveTableEditors() {
    GridFamily().EditorFactory = nullptr;
    ChartFamily().EditorFactory = nullptr;
}

std::string DefaultTextEditor() {
#ifdef Q_OS_WIN
    const QString windows = qEnvironmentVariable("SystemRoot", "C:\\Windows");
    return QDir(windows).filePath("notepad.exe").toStdString();
#else
    for (const char* name : {"gnome-text-editor", "gedit", "kate", "mousepad", "xdg-open"}) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) return path.toStdString();
    }
    return {};
#endif
}

char UserDecimalSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

} // namespace dorvek
