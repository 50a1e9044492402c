#pragma once
// Message boxes and file dialogs of the running program.

#include "gui/common/Messages.h"

class QWidget;

namespace dorvek {

class TQtMessages : public TMessages {
public:
    explicit TQtMessages(QWidget* parent = nullptr) : fParent(parent) {}
    void SetParent(QWidget* parent) { fParent = parent; }

    void Information(const std::string& text) override;
    void Warning(const std::string& text) override;
    TAnswer Question(const std::string& text) override;
    bool WarningProceed(const std::string& text, const std::string& proceed) override;
    std::optional<TFileChoice> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& initialName) override;
    std::optional<TFileChoice> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& presetName) override;

private:
    QWidget* fParent;
};

} // namespace dorvek
