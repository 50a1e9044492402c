#include "Console.h"

namespace dorvek {

void WriteBanner(std::ostream& console) {
    console << " PROGRAM DORVEK FOR COMPUTING LOAD VS. SETTLEMENT\n"
            << " FOR AN AXIALLY LOADED PILE\n"
            << " VERSION 2021.4.4\n"
            << "\n\n\n";
    console.flush();
}

} // namespace dorvek
