#pragma once
// TdlgTitle, "Project Title": the one-line project title, the designer and the date.

#include "gui/app/DataDialog.h"
#include "model/project/ProgramData.h"

class QLineEdit;

namespace dorvek {

class TdlgTitle : public TDataDialog {
    Q_OBJECT
public:
    static constexpr int MaxTitleLength = TProgramData::MaxTitleLength;

    explicit TdlgTitle(TDialogContext context, QWidget* parent = nullptr);

    void FormActivate() override;

    QLineEdit* TitleMemo() const { return fTitleMemo; }
    QLineEdit* NameEdit() const { return fName; }
    QLineEdit* DateEdit() const { return fDate; }

protected:
    bool AlwaysCloses() const override { return true; }
    void StoreFields() override;

private:
    QLineEdit* fTitleMemo;
    QLineEdit* fName;
    QLineEdit* fDate;
};

} // namespace dorvek
