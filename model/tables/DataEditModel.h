#pragma once
// What a numeric edit field knows apart from its widget: the text, the limits, the display
// form of a value, the validation with its messages, the caption with its unit label and
// the operator-append rule. The widget keeps its text here and shows the messages.

#include <optional>
#include <string>

namespace dorvek {

class TDataEditModel {
public:
    static constexpr long double DefaultMinVal = -1.18973149535723176E+100L;
    static constexpr long double DefaultMaxVal = 1.18973149535723176E+100L;

    const std::string& Text() const { return fText; }
    void SetText(std::string text) { fText = std::move(text); }

    // The text evaluated as an expression; evaluation errors pass to the caller.
    long double Number() const;
    // Clamped into MinVal..MaxVal (not while loading), then shown in display form.
    void SetNumber(long double value);
    // Shown in display form as it is, even outside the limits: a stored value must be seen
    // as it is, and the validation then asks for a valid one.
    void ShowNumber(long double value) { fText = DisplayText(value); }
    // The text is a number outside MinVal..MaxVal.
    bool OutsideLimits() const;
    // "$" and at least four hexadecimal digits with Hex, else 8 significant digits.
    std::string DisplayText(long double value) const;

    long double MinVal() const { return fMinVal; }
    long double MaxVal() const { return fMaxVal; }
    void SetMinVal(long double value);
    void SetMaxVal(long double value);
    bool IntegerOnly() const { return fIntegerOnly; }
    void SetIntegerOnly(bool value);
    bool Hex() const { return fHex; }
    void SetHex(bool value) { fHex = value; }
    // While the owning form is being loaded the limits are stored as they come.
    void SetLoading(bool loading) { fLoading = loading; }

    // The validation run on leaving the field, on Enter, by Evaluate and CloseQuery.
    // On success the text takes the display form; on failure the message for the user is
    // returned (a value outside the limits has already been replaced by the limit).
    std::optional<std::string> Validate();
    // The message Validate gives for a value outside the field's rules, without changing
    // the field; nothing when the value passes.
    std::optional<std::string> Fault(long double value) const;
    bool OK() const { return fOK; }

    const std::string& Caption() const { return fCaption; }
    void SetCaption(std::string caption) { fCaption = std::move(caption); }
    const std::string& UnitsString() const { return fUnitsString; }
    void SetUnitsString(std::string code) { fUnitsString = std::move(code); }
    int Units() const { return fUnits; }
    // Clamped to 1..3; the value itself is never converted.
    void SetUnits(int system);
    // Caption, or Caption (unit label) when a unit code is set.
    std::string LabelText() const;

    // A character typed over a fully selected text that appends to the value instead of
    // replacing it (the caret moves to the end first): + / * ^ = % !. A minus sign starts a
    // new negative number instead: over a selected 0.5, typing -2 means -2, not 0.5-2.
    static bool AppendsToValue(char typed, bool wholeTextSelected);

private:
    std::string fText = "0";
    long double fMinVal = DefaultMinVal;
    long double fMaxVal = DefaultMaxVal;
    bool fIntegerOnly = false;
    bool fHex = false;
    bool fLoading = false;
    bool fOK = false;
    std::string fCaption;
    std::string fUnitsString;
    int fUnits = 1;
};

} // namespace dorvek
