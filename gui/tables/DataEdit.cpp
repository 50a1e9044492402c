#include "gui/tables/DataEdit.h"

#include "gui/common/Messages.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>

namespace dorvek {

namespace {

// The dialog or window a widget belongs to: a top-level window or a main window's child.
const QWidget* FormOf(const QWidget* widget) {
    while (widget && !widget->isWindow() &&
           !qobject_cast<const QMdiSubWindow*>(widget->parentWidget()))
        widget = widget->parentWidget();
    return widget;
}

} // namespace

TDataEdit::TDataEdit(QWidget* parent, TMessages* messages)
    : QLineEdit(parent), fMessages(messages) {
    Push();
}

void TDataEdit::Push() {
    if (text().toStdString() != fModel.Text()) setText(QString::fromStdString(fModel.Text()));
}

long double TDataEdit::Number() const {
    TDataEditModel model = fModel;
    model.SetText(text().toStdString());
    return model.Number();
}

void TDataEdit::SetNumber(long double value) {
    fModel.SetNumber(value);
    Push();
}

void TDataEdit::ShowNumber(long double value) {
    fModel.ShowNumber(value);
    Push();
}

bool TDataEdit::OutsideLimits() const {
    TDataEditModel model = fModel;
    model.SetText(text().toStdString());
    return model.OutsideLimits();
}

void TDataEdit::SetMinVal(long double value) {
    Pull();
    fModel.SetMinVal(value);
    Push();
}

void TDataEdit::SetMaxVal(long double value) {
    Pull();
    fModel.SetMaxVal(value);
    Push();
}

void TDataEdit::SetIntegerOnly(bool value) {
    Pull();
    fModel.SetIntegerOnly(value);
    Push();
}

void TDataEdit::SetCaption(const QString& caption) {
    fModel.SetCaption(caption.toStdString());
    UpdateLabel();
}

void TDataEdit::SetUnitsString(const QString& code) {
    fModel.SetUnitsString(code.toStdString());
    UpdateLabel();
}

void TDataEdit::SetUnits(int system) {
    fModel.SetUnits(system);
    UpdateLabel();
}

void TDataEdit::SetEditLabel(QLabel* label) {
    fLabel = label;
    if (fLabel) fLabel->setBuddy(this);
    UpdateLabel();
}

void TDataEdit::UpdateLabel() {
    if (!fLabel) return;
    fLabel->setEnabled(isEnabled());
    fLabel->setText(QString::fromStdString(fModel.LabelText()));
}

void TDataEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) UpdateLabel();
}

bool TDataEdit::Validate() {
    if (fValidating) return false;
    fValidating = true;
    Pull();
    const std::optional<std::string> message = fModel.Validate();
    Push();
    if (message) {
        if (fMessages)
            fMessages->Information(*message);
        else
            QMessageBox::information(this, QApplication::applicationName(),
                                     QString::fromStdString(*message));
        // The field keeps the focus while it refuses its text.
        if (isVisible() && window()) {
            setFocus();
            QTimer::singleShot(0, this, [this] {
                if (isVisible()) setFocus();
            });
        }
    }
    fValidating = false;
    return !message;
}

bool TDataEdit::CloseQuery() {
    Validate();
    return fModel.OK();
}

void TDataEdit::Evaluate() {
    Validate();
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Validate();
        selectAll();
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].unicode() < 128 &&
        TDataEditModel::AppendsToValue(typed[0].toLatin1(),
                                       !text().isEmpty() && selectedText() == text()))
        end(false);
    QLineEdit::keyPressEvent(event);
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Leaving the field for another control of its window validates it; a switch to another
    // window (or a message box) does not.
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return;
    default:
        break;
    }
    // The focus went to another child window: that is a deactivation of this field's
    // dialog, which checks the field itself.
    const QWidget* now = QApplication::focusWidget();
    if (now && FormOf(now) != FormOf(this)) return;
    if (!fValidating) Validate();
}

} // namespace dorvek
