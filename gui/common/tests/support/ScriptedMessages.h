#pragma once
// Message seam for tests: records every box and answers questions and file dialogs from
// scripted queues.

#include "gui/common/Messages.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace dorvek::test {

struct TShown {
    std::string Kind;   // "information", "warning", "question", "proceed", "open", "save"
    std::string Text;   // message text, or the dialog's title
    std::string Detail; // file dialogs: filter and preset name
};

class TScriptedMessages : public TMessages {
public:
    std::vector<TShown> Shown;
    std::deque<TAnswer> Answers;
    std::deque<std::optional<TFileChoice>> OpenChoices;
    std::deque<std::optional<TFileChoice>> SaveChoices;
    // Called after an information box is recorded.
    std::function<void(const std::string&)> OnInformation;

    void Information(const std::string& text) override;
    void Warning(const std::string& text) override;
    TAnswer Question(const std::string& text) override;
    // Recorded as kind "proceed"; answered from Answers (Yes goes on).
    bool WarningProceed(const std::string& text, const std::string& proceed) override;
    std::optional<TFileChoice> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& initialName) override;
    std::optional<TFileChoice> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& presetName) override;

    // Texts of the boxes of one kind, in order.
    std::vector<std::string> Texts(const std::string& kind) const;
};

} // namespace dorvek::test
