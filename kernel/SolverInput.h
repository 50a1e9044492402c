#pragma once
// Checks of the pile data the solver cannot work without. The run driver calls this right
// after the pile line is read and stops the run as a fatal input error when it fails.

#include "kernel/Store.h"

#include <string>

namespace dorvek {

// True when NINC, the axial stiffness table and the pile line are usable; otherwise false
// with `message` saying what is wrong.
bool CheckSolverInput(const Store& s, std::string& message);

} // namespace dorvek
