#pragma once
// The message seam of the developer tools: every box is printed to the error stream,
// questions are cancelled and file dialogs chosen nothing.

#include "gui/common/Messages.h"

#include <iostream>

namespace dorvek {

class TSilentMessages : public TMessages {
public:
    void Information(const std::string& text) override { std::cerr << text << "\n"; }
    void Warning(const std::string& text) override { std::cerr << text << "\n"; }
    TAnswer Question(const std::string&) override { return TAnswer::Cancel; }
    bool WarningProceed(const std::string& text, const std::string&) override {
        std::cerr << text << "\n";
        return false;
    }
    std::optional<TFileChoice> OpenFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<TFileChoice> SaveFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
};

} // namespace dorvek
