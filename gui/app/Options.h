#pragma once
// TDlgOptions, "Control Options": the path of the external text editor.

#include "gui/app/DataDialog.h"

#include <string>

class QLineEdit;
class QPushButton;

namespace dorvek {

class TDlgOptions : public TDataDialog {
    Q_OBJECT
public:
    // The editor path is read from and stored through the two functions.
    TDlgOptions(TDialogContext context, std::function<std::string()> getEditor,
                std::function<void(const std::string&)> setEditor, QWidget* parent = nullptr);

    void FormActivate() override;
    void BrowseClick();

    QLineEdit* EdtWord() const { return fEdtWord; }
    QPushButton* BrowseButton() const { return fBrowse; }

protected:
    bool AlwaysCloses() const override { return true; }
    void StoreFields() override;

private:
    std::function<std::string()> fGetEditor;
    std::function<void(const std::string&)> fSetEditor;
    QLineEdit* fEdtWord;
    QPushButton* fBrowse;
};

} // namespace dorvek
