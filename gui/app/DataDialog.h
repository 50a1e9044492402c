#pragma once
// Base of the modeless data dialogs: each fills its fields from the project when it becomes
// active and stores them when it loses activation or closes, unless the numeric field that
// has the focus refuses its text; then the dialog comes back to the front and keeps it.

#include "gui/common/ChildWindow.h"

#include <QWidget>

#include <functional>

namespace dorvek {

class TMessages;
struct TProgramData;

// What a data dialog needs from the main window.
struct TDialogContext {
    TMessages* Messages = nullptr;
    // The current project.
    std::function<TProgramData&()> Project;
    // Sets the project's data-changed flag.
    std::function<void()> MarkChanged;
};

class TDataDialog : public QWidget, public TChildWindow {
    Q_OBJECT
public:
    explicit TDataDialog(TDialogContext context, QWidget* parent = nullptr);

    // Activate: the fields show the project.
    virtual void FormActivate() = 0;
    // Deactivate: stores the fields unless the focused numeric field refuses its text
    // (then the dialog comes back to the front); false when refused.
    bool FormDeactivate();
    // Stores what is pending before a menu of the main window opens.
    void CommitEdits() override { FormDeactivate(); }

signals:
    // The dialog has closed (its presence flag in the main window is cleared).
    void Closed();

protected:
    // The dialog may close even with a refused field (the title and options dialogs).
    virtual bool AlwaysCloses() const { return false; }
    virtual void StoreFields() = 0;
    // The focused numeric field refuses its text (and has said why).
    bool FocusedFieldRefuses();
    // A numeric field still shows a stored value outside its limits: it takes the focus and
    // asks for a valid value (and has said why). Closing must not leave the screen and the
    // project with two values.
    bool FieldOutsideLimitsRefuses();
    TProgramData& Project() const { return fContext.Project(); }
    void MarkChanged() const {
        if (fContext.MarkChanged) fContext.MarkChanged();
    }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

    TDialogContext fContext;

private:
    void ActivationChanged(bool active);
    void BringToFront();

    bool fFollowing = false;
    bool fInHandler = false;
};

} // namespace dorvek
