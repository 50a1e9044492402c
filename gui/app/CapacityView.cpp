#include "gui/app/CapacityView.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dorvek {

TfrmCapacities::TfrmCapacities(std::function<std::string()> text, QWidget* parent)
    : QWidget(parent), fText(std::move(text)) {
    setWindowTitle(QStringLiteral("Load Test Capacities"));
    setAttribute(Qt::WA_DeleteOnClose);
    fView = new QPlainTextEdit(this);
    fView->setReadOnly(true);
    fView->setLineWrapMode(QPlainTextEdit::NoWrap);
    fView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    fClose = new QPushButton(QStringLiteral("&Close"), this);
    connect(fClose, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(fClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fView);
    layout->addLayout(buttons);
    resize(720, 320);
    Refresh();
}

void TfrmCapacities::Refresh() {
    fView->setPlainText(QString::fromStdString(fText ? fText() : std::string()));
}

void TfrmCapacities::closeEvent(QCloseEvent* event) {
    emit Closed();
    event->accept();
}

} // namespace dorvek
