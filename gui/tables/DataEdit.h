#pragma once
// TDataEdit: the one-line numeric entry field of the dialogs. Its text may be an arithmetic
// expression; leaving the field or pressing Enter evaluates it, enforces the limits and
// shows the value in its display form, or shows the reason in a message box and keeps the
// focus. An attached label shows the caption with the unit label of the field's code.

#include "model/tables/DataEditModel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

class QLabel;

namespace dorvek {

class TMessages;

class TDataEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDataEdit(QWidget* parent = nullptr, TMessages* messages = nullptr);

    void SetMessages(TMessages* messages) { fMessages = messages; }

    // The text evaluated; evaluation errors (EvaluationError, ArithmeticError) pass through.
    long double Number() const;
    void SetNumber(long double value);
    // Shows a stored value as it is, even outside the limits (leaving the field then asks for
    // a valid one).
    void ShowNumber(long double value);
    // The text is a number outside the limits.
    bool OutsideLimits() const;
    long double MinVal() const { return fModel.MinVal(); }
    void SetMinVal(long double value);
    long double MaxVal() const { return fModel.MaxVal(); }
    void SetMaxVal(long double value);
    bool IntegerOnly() const { return fModel.IntegerOnly(); }
    void SetIntegerOnly(bool value);
    bool Hex() const { return fModel.Hex(); }
    void SetHex(bool value) { fModel.SetHex(value); }

    QString Caption() const { return QString::fromStdString(fModel.Caption()); }
    void SetCaption(const QString& caption);
    QString UnitsString() const { return QString::fromStdString(fModel.UnitsString()); }
    void SetUnitsString(const QString& code);
    int Units() const { return fModel.Units(); }
    void SetUnits(int system);
    QLabel* EditLabel() const { return fLabel; }
    void SetEditLabel(QLabel* label);

    // The last validation succeeded.
    bool OK() const { return fModel.OK(); }
    // Validates as on leaving the field and returns OK.
    bool CloseQuery();
    // Validates as on leaving the field.
    void Evaluate();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Runs the validation; on failure shows the message and takes the focus back.
    bool Validate();
    void UpdateLabel();
    void Pull() { fModel.SetText(text().toStdString()); }
    void Push();

    TDataEditModel fModel;
    TMessages* fMessages;
    QPointer<QLabel> fLabel;
    bool fValidating = false;
};

} // namespace dorvek
