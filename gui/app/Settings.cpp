#include "gui/app/Settings.h"

#include "model/workspace/FileNames.h"

#include <QSettings>
#include <QStandardPaths>

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

QString FileKey(int number) {
    return QStringLiteral("File%1").arg(number);
}

} // namespace

TSettings::TSettings(std::string iniFile) : fIniFile(std::move(iniFile)) {}

TUserSettings TSettings::Read() const {
    TUserSettings result;
    auto store = OpenStore(fIniFile);
    if (store->status() != QSettings::NoError) return result;
    auto text = [&store](const char* key) {
        return store->value(QString::fromLatin1(key)).toString().toStdString();
    };
    result.WordProcessor = text("Word Processor");
    for (int i = 0; i < TRecentFiles::Capacity; ++i)
        result.Files[static_cast<size_t>(i)] =
            store->value(FileKey(i + 1)).toString().toStdString();
    result.UserCompany = text("User Company");
    result.UserCity = text("User City");
    result.UserState = text("User State");
    bool ok = false;
    const int number = store->value(QStringLiteral("Installation Number")).toInt(&ok);
    result.InstallationNumber = ok ? number : 0;
    result.ShowReportAfterRun =
        store->value(QStringLiteral("Show Report After Run"), true).toBool();
    return result;
}

void TSettings::Write(const TUserSettings& settings) const {
    auto store = OpenStore(fIniFile);
    if (!store->isWritable()) return;
    store->setValue(QStringLiteral("Word Processor"),
                    QString::fromStdString(settings.WordProcessor));
    for (int i = 0; i < TRecentFiles::Capacity; ++i)
        store->setValue(FileKey(i + 1),
                        QString::fromStdString(settings.Files[static_cast<size_t>(i)]));
    store->setValue(QStringLiteral("User Company"), QString::fromStdString(settings.UserCompany));
    store->setValue(QStringLiteral("User City"), QString::fromStdString(settings.UserCity));
    store->setValue(QStringLiteral("User State"), QString::fromStdString(settings.UserState));
    store->setValue(QStringLiteral("Installation Number"), settings.InstallationNumber);
    store->setValue(QStringLiteral("Show Report After Run"), settings.ShowReportAfterRun);
    store->sync();
}

std::string DefaultTextEditor() {
#ifdef _WIN32
    return "notepad.exe";
#else
    for (const char* name : {"gnome-text-editor", "gedit", "kate", "mousepad", "xdg-open"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty()) return found.toStdString();
    }
    return "xdg-open";
#endif
}

} // namespace dorvek
