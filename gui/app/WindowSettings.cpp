#include "gui/app/WindowSettings.h"

#include "model/workspace/FileNames.h"

#include <QSettings>

#include <memory>

namespace dorvek {

namespace {

std::unique_ptr<QSettings> OpenStore(const std::string& iniFile) {
    auto s =
        iniFile.empty()
            ? std::make_unique<QSettings>(QStringLiteral("Ostrel"), QStringLiteral("DORVEK"))
            : std::make_unique<QSettings>(QString::fromStdString(iniFile), QSettings::IniFormat);
    s->beginGroup(QString::fromLatin1(ProgramVersion));
    return s;
}

const QString Left = QStringLiteral("Main Window Left");
const QString Top = QStringLiteral("Main Window Top");
const QString Width = QStringLiteral("Main Window Width");
const QString Height = QStringLiteral("Main Window Height");
const QString Maximized = QStringLiteral("Main Window Maximized");
const QString Panel = QStringLiteral("Show Project Panel");

} // namespace

TWindowSettings ReadWindowSettings(const std::string& iniFile) {
    TWindowSettings result;
    auto store = OpenStore(iniFile);
    if (store->status() != QSettings::NoError) return result;
    bool ok[4] = {};
    const TRect rect{store->value(Left).toInt(&ok[0]), store->value(Top).toInt(&ok[1]),
                     store->value(Width).toInt(&ok[2]), store->value(Height).toInt(&ok[3])};
    if (ok[0] && ok[1] && ok[2] && ok[3] && rect.Width > 0 && rect.Height > 0) result.Normal = rect;
    result.Maximized = store->value(Maximized, false).toBool();
    result.PanelShown = store->value(Panel, true).toBool();
    return result;
}

void WriteWindowSettings(const std::string& iniFile, const TWindowSettings& settings) {
    auto store = OpenStore(iniFile);
    if (!store->isWritable()) return;
    if (settings.Normal) {
        store->setValue(Left, settings.Normal->X);
        store->setValue(Top, settings.Normal->Y);
        store->setValue(Width, settings.Normal->Width);
        store->setValue(Height, settings.Normal->Height);
    }
    store->setValue(Maximized, settings.Maximized);
    store->setValue(Panel, settings.PanelShown);
    store->sync();
}

} // namespace dorvek
