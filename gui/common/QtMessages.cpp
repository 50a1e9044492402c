#include "gui/common/QtMessages.h"

#include "model/workspace/FileNames.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>

namespace dorvek {

namespace {

QString Title() {
    return QString::fromLatin1(ApplicationTitle);
}

// "Name|pattern|Name|pattern" pairs as the dialog's name filters.
QStringList NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString name = parts[i];
        if (!name.contains(QLatin1Char('(') + pattern + QLatin1Char(')')))
            name += QStringLiteral(" (") + pattern + QLatin1Char(')');
        result << name;
    }
    return result;
}

// The extension of a file type ("dv4d" for "DORVEK 2021 (*.dv4d)"): added to a name typed
// without one.
QString SuffixOf(const QString& nameFilter) {
    const qsizetype start = nameFilter.indexOf(QStringLiteral("(*."));
    if (start < 0) return {};
    QString suffix = nameFilter.mid(start + 3);
    suffix.truncate(suffix.indexOf(QRegularExpression(QStringLiteral("[ ;)]"))));
    return suffix.contains(QLatin1Char('*')) ? QString() : suffix;
}

std::optional<TFileChoice> Run(QFileDialog& dialog, const QStringList& filters) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    TFileChoice choice;
    choice.FileName = dialog.selectedFiles().front().toStdString();
    choice.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return choice;
}

} // namespace

void TQtMessages::Information(const std::string& text) {
    QMessageBox::information(fParent, Title(), QString::fromStdString(text));
}

void TQtMessages::Warning(const std::string& text) {
    QMessageBox::warning(fParent, Title(), QString::fromStdString(text));
}

TAnswer TQtMessages::Question(const std::string& text) {
    const auto button =
        QMessageBox::question(fParent, Title(), QString::fromStdString(text),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (button == QMessageBox::Yes) return TAnswer::Yes;
    if (button == QMessageBox::No) return TAnswer::No;
    return TAnswer::Cancel;
}

bool TQtMessages::WarningProceed(const std::string& text, const std::string& proceed) {
    QMessageBox box(QMessageBox::Warning, Title(), QString::fromStdString(text),
                    QMessageBox::NoButton, fParent);
    QPushButton* go = box.addButton(QString::fromStdString(proceed), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == go;
}

std::optional<TFileChoice> TQtMessages::OpenFile(const std::string& title,
                                                 const std::string& filter,
                                                 const std::string& initialName) {
    const QStringList filters = NameFilters(filter);
    QFileDialog dialog(fParent, QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (!initialName.empty()) dialog.selectFile(QString::fromStdString(initialName));
    return Run(dialog, filters);
}

std::optional<TFileChoice> TQtMessages::SaveFile(const std::string& title,
                                                 const std::string& filter,
                                                 const std::string& presetName) {
    const QStringList filters = NameFilters(filter);
    QString preset = QString::fromStdString(presetName);
    for (;;) {
        QFileDialog dialog(fParent, QString::fromStdString(title));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(filters);
        if (!filters.isEmpty()) dialog.setDefaultSuffix(SuffixOf(filters.front()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& f) { dialog.setDefaultSuffix(SuffixOf(f)); });
        if (!preset.isEmpty()) dialog.selectFile(preset);
        auto choice = Run(dialog, filters);
        if (!choice) return std::nullopt;
        const QFileInfo info(QString::fromStdString(choice->FileName));
        if (!info.exists() || info.isWritable()) return choice;
        QMessageBox::warning(fParent, Title(),
                             info.fileName() +
                                 QStringLiteral(" is read-only.\nPlease choose another name."));
        preset = info.filePath();
    }
}

} // namespace dorvek
