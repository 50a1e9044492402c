#include "gui/app/Title.h"

#include "model/project/ProgramData.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace dorvek {

TdlgTitle::TdlgTitle(TDialogContext context, QWidget* parent)
    : TDataDialog(std::move(context), parent) {
    setWindowTitle(tr("Project Title"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Enter line of text for project description:"), this), 0, 0, 1,
                    2);
    fTitleMemo = new QLineEdit(this);
    fTitleMemo->setMaxLength(MaxTitleLength);
    fTitleMemo->setMinimumWidth(fTitleMemo->fontMetrics().averageCharWidth() * 60);
    grid->addWidget(fTitleMemo, 1, 0, 1, 2);
    // The data file holds one title line: a pasted line break becomes a blank.
    connect(fTitleMemo, &QLineEdit::textChanged, this, [this](const QString& text) {
        static const QRegularExpression lineBreak("\r\n|\r|\n");
        if (!text.contains(lineBreak)) return;
        const int cursor = fTitleMemo->cursorPosition();
        QString flat = text;
        flat.replace(lineBreak, " ");
        fTitleMemo->setText(flat.left(MaxTitleLength));
        fTitleMemo->setCursorPosition(std::min(cursor, static_cast<int>(flat.size())));
    });
    fName = new QLineEdit(this);
    fDate = new QLineEdit(this);
    grid->addWidget(new QLabel(tr("Name of the Designer : "), this), 2, 0);
    grid->addWidget(fName, 2, 1);
    grid->addWidget(new QLabel(tr("Date : "), this), 3, 0);
    grid->addWidget(fDate, 3, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TdlgTitle::FormActivate() {
    const TProgramData& data = Project();
    fTitleMemo->setText(QString::fromStdString(data.Title));
    fName->setText(QString::fromStdString(data.Name1));
    if (!data.Date1.empty()) fDate->setText(QString::fromStdString(data.Date1));
}

void TdlgTitle::StoreFields() {
    TProgramData& data = Project();
    const std::string title = fTitleMemo->text().toStdString();
    if (title != data.Title) {
        data.Title = title;
        MarkChanged();
    }
    data.Name1 = fName->text().toStdString();
    data.Date1 = fDate->text().toStdString();
}

} // namespace dorvek
