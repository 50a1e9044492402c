#pragma once
// Child windows that hold edits not yet stored in the project implement this; the main window
// calls it before one of its menus opens and before it closes.

namespace dorvek {

class TChildWindow {
public:
    virtual ~TChildWindow() = default;
    virtual void CommitEdits() = 0;
};

} // namespace dorvek
