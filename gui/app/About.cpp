#include "gui/app/About.h"

#include "model/workspace/FileNames.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace dorvek {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    ProductName = new QLabel(QString::fromLatin1(ApplicationTitle), this);
    QFont big = ProductName->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    ProductName->setFont(big);

    Comments =
        new QLabel(QStringLiteral("A program for analysis of load vs. settlement for an axially "
                                  "loaded deep foundation with t-z curve method."),
                   this);
    Comments->setWordWrap(true);
    Version = new QLabel(QStringLiteral("Version ") + QString::fromLatin1(ProgramVersion), this);
    DateLabel = new QLabel(QLocale().toString(QDate::currentDate(), QLocale::LongFormat), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProductName);
    layout->addWidget(Comments);
    layout->addSpacing(8);
    layout->addWidget(Version);
    layout->addWidget(DateLabel);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

} // namespace dorvek
