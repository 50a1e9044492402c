#include "gui/app/DataDialog.h"

#include "gui/common/SubWindowActivation.h"
#include "gui/tables/DataEdit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace dorvek {

TDataDialog::TDataDialog(TDialogContext context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      fContext(std::move(context)) {
    setAttribute(Qt::WA_DeleteOnClose);
}

bool TDataDialog::FocusedFieldRefuses() {
    auto* field = qobject_cast<TDataEdit*>(focusWidget());
    return field && !field->CloseQuery();
}

bool TDataDialog::FieldOutsideLimitsRefuses() {
    for (TDataEdit* field : findChildren<TDataEdit*>()) {
        if (!field->isEnabled() || !field->OutsideLimits()) continue;
        field->setFocus();
        return !field->CloseQuery();
    }
    return false;
}

bool TDataDialog::FormDeactivate() {
    if (fInHandler) return true;
    fInHandler = true;
    const bool refused = FocusedFieldRefuses();
    if (!refused) StoreFields();
    fInHandler = false;
    if (refused) QTimer::singleShot(0, this, [this] { BringToFront(); });
    return !refused;
}

void TDataDialog::BringToFront() {
    QWidget* frame = this;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame = sub;
        if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    }
    frame->raise();
    frame->activateWindow();
    if (QWidget* field = focusWidget()) field->setFocus();
}

void TDataDialog::ActivationChanged(bool active) {
    if (active) {
        if (!fInHandler) FormActivate();
    } else {
        FormDeactivate();
    }
}

void TDataDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (fFollowing) return;
    fFollowing = true;
    // A child window of the main window is activated by its frame; a top-level dialog
    // by the window system (changeEvent).
    FollowSubWindowActivation(*this, [this](bool active) { ActivationChanged(active); });
    FormActivate();
}

void TDataDialog::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isWindow())
        ActivationChanged(isActiveWindow());
}

void TDataDialog::closeEvent(QCloseEvent* event) {
    if (!fInHandler) {
        fInHandler = true;
        const bool refused = FocusedFieldRefuses() || FieldOutsideLimitsRefuses();
        if (!refused) StoreFields();
        fInHandler = false;
        if (refused && !AlwaysCloses()) {
            event->ignore();
            return;
        }
    }
    event->accept();
    emit Closed();
}

} // namespace dorvek
