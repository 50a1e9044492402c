#pragma once
// The one seam through which the main window and its commands talk to the user: message
// boxes, questions and file dialogs. The program shows real dialogs; tests script answers.

#include <optional>
#include <string>

namespace dorvek {

enum class TAnswer { Yes, No, Cancel };

struct TFileChoice {
    std::string FileName;
    int FilterIndex = 1; // 1-based position of the chosen file type
};

class TMessages {
public:
    virtual ~TMessages() = default;
    // Information box with only an OK button.
    virtual void Information(const std::string& text) = 0;
    // Warning box with only an OK button.
    virtual void Warning(const std::string& text) = 0;
    // Confirmation with Yes, No and Cancel.
    virtual TAnswer Question(const std::string& text) = 0;
    // Warning with a button that goes on (captioned proceed) and Cancel; true to go on.
    virtual bool WarningProceed(const std::string& text, const std::string& proceed) = 0;
    // Open dialog; filter is "Name (*.ext)|*.ext|..." pairs; the file must exist.
    virtual std::optional<TFileChoice> OpenFile(const std::string& title, const std::string& filter,
                                                const std::string& initialName) = 0;
    // Save dialog that asks before overwriting and refuses read-only files.
    virtual std::optional<TFileChoice> SaveFile(const std::string& title, const std::string& filter,
                                                const std::string& presetName) = 0;
};

} // namespace dorvek
