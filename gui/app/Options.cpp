#include "gui/app/Options.h"

#include "gui/common/Messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dorvek {

TDlgOptions::TDlgOptions(TDialogContext context, std::function<std::string()> getEditor,
                         std::function<void(const std::string&)> setEditor, QWidget* parent)
    : TDataDialog(std::move(context), parent), fGetEditor(std::move(getEditor)),
      fSetEditor(std::move(setEditor)) {
    setWindowTitle(tr("Control Options"));
    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(tr("&Text Editor:"), this);
    fEdtWord = new QLineEdit(this);
    fEdtWord->setMinimumWidth(fEdtWord->fontMetrics().averageCharWidth() * 50);
    label->setBuddy(fEdtWord);
    fBrowse = new QPushButton(tr("&Browse..."), this);
    connect(fBrowse, &QPushButton::clicked, this, [this] { BrowseClick(); });
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(fEdtWord, 1, 0);
    grid->addWidget(fBrowse, 1, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgOptions::FormActivate() {
    if (fGetEditor) fEdtWord->setText(QString::fromStdString(fGetEditor()));
}

void TDlgOptions::BrowseClick() {
    if (!fContext.Messages) return;
    auto choice = fContext.Messages->OpenFile("Open", "Programs|*.exe;*.com|All Files (*.*)|*.*",
                                              fEdtWord->text().toStdString());
    if (choice) fEdtWord->setText(QString::fromStdString(choice->FileName));
}

void TDlgOptions::StoreFields() {
    if (fSetEditor) fSetEditor(fEdtWord->text().toStdString());
}

} // namespace dorvek
