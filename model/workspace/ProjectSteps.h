#pragma once
// The steps of a project in the order of work, as the project panel lists them: each with a
// tick or a warning from the checks the run makes, a one-line summary, what it opens, and
// when it cannot be used yet, why and what to do first. Built afresh from the project
// whenever it may have changed; the panel only shows it.

#include "model/workspace/Commands.h"

#include <string>
#include <vector>

namespace dorvek {

class TProjectWorkspace;

enum class TStepStatus {
    Done,       // nothing missing
    Pending,    // nothing wrong, but not done yet (a run not made)
    Warning,    // the reason says what is wrong and what to change
    Unavailable // greyed: the reason says why and what to do first
};

// The choices of the Options menu an entry of the panel offers.
enum class TOptionChoice { Units, TzSource, QwSource, LoadMethod, Downdrag, TzFactors, QwFactors };

struct TStepTarget {
    enum class TKind {
        None,
        Command,   // a command of the main window
        AETable,   // the AE table of the pile
        LayerData, // the data of layer Index (0-based)
        Choice     // an Options choice
    };
    TKind Kind = TKind::None;
    TCommand Command = TCommand::FileNew;
    int Index = 0;
    TOptionChoice Choice = TOptionChoice::Units;
    bool operator==(const TStepTarget&) const = default;
};

// A step of the project, or one entry under it.
struct TStepItem {
    std::string Key;     // stable name ("soil", "soil.layer.2") by which the view finds it again
    std::string Caption; // "Soil", "Layer 2"
    std::string Summary; // "3 layers, 0-70 ft; tip in layer 3 (sand)"
    TStepStatus Status = TStepStatus::Done;
    std::string Reason; // for a warning or a greyed item
    TStepTarget Target;
    std::vector<TStepItem> Entries;
    bool operator==(const TStepItem&) const = default;
};

// What the steps look at besides the project: its result files and the user's decimal
// separator for the numbers of the summaries.
struct TStepsContext {
    TCommandContext Files;
    char DecimalSeparator = '.';
};

// Title, Pile, Soil, Loading, Options, Run, Results.
std::vector<TStepItem> ProjectSteps(const TProjectWorkspace& project, const TStepsContext& context);

// One option that changes the analysis, as the Options step and the status bar show it.
struct TOptionState {
    TOptionChoice Choice;
    std::string Key;   // "downdrag"
    std::string Label; // "Down-drag"
    std::string Value; // "on"
    bool Modified;     // not the new project's setting
    std::string Short; // "down-drag: on", for the status bar
};
std::vector<TOptionState> OptionStates(const TProgramData& data);

// One option as the status bar shows it: its short text, in capitals while it is switched on.
std::string StatusPart(const TOptionState& option);
// The options in one line for the status bar.
std::string OptionsStatusText(const TProgramData& data);

} // namespace dorvek
