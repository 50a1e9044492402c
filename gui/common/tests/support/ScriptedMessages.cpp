#include "gui/common/tests/support/ScriptedMessages.h"

#include <stdexcept>

namespace dorvek::test {

void TScriptedMessages::Information(const std::string& text) {
    Shown.push_back({"information", text, {}});
    if (OnInformation) OnInformation(text);
}

void TScriptedMessages::Warning(const std::string& text) {
    Shown.push_back({"warning", text, {}});
}

TAnswer TScriptedMessages::Question(const std::string& text) {
    Shown.push_back({"question", text, {}});
    if (Answers.empty()) throw std::logic_error("unexpected question: " + text);
    const TAnswer a = Answers.front();
    Answers.pop_front();
    return a;
}

bool TScriptedMessages::WarningProceed(const std::string& text, const std::string& proceed) {
    Shown.push_back({"proceed", text, proceed});
    if (Answers.empty()) throw std::logic_error("unexpected warning: " + text);
    const TAnswer a = Answers.front();
    Answers.pop_front();
    return a == TAnswer::Yes;
}

std::optional<TFileChoice> TScriptedMessages::OpenFile(const std::string& title,
                                                       const std::string& filter,
                                                       const std::string& initialName) {
    Shown.push_back({"open", title, filter + "\n" + initialName});
    if (OpenChoices.empty()) throw std::logic_error("unexpected open dialog");
    auto c = OpenChoices.front();
    OpenChoices.pop_front();
    return c;
}

std::optional<TFileChoice> TScriptedMessages::SaveFile(const std::string& title,
                                                       const std::string& filter,
                                                       const std::string& presetName) {
    Shown.push_back({"save", title, filter + "\n" + presetName});
    if (SaveChoices.empty()) throw std::logic_error("unexpected save dialog");
    auto c = SaveChoices.front();
    SaveChoices.pop_front();
    return c;
}

std::vector<std::string> TScriptedMessages::Texts(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& s : Shown)
        if (s.Kind == kind) out.push_back(s.Text);
    return out;
}

} // namespace dorvek::test
