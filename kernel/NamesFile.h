#pragma once
// The run control file names.dat: version, user organisation and location, installation
// number, then the paths of the input, report, plot data and run-notes files.

#include "kernel/FreeFormat.h"
#include "kernel/Kernel.h"

namespace dorvek {

struct NamesData {
    RunHeader header;
    RunFiles files;
    bool fileErrors = false; // one of the four path lines could not be read
};

// Lines 1 to 4 have no recovery: a fault there is thrown as an InputError. A path line that
// is missing sets fileErrors and leaves that name (and the later ones) empty.
NamesData ReadNamesFile(FreeFormatReader& in);

} // namespace dorvek
