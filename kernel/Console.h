#pragma once
// Console messages of the kernel.

#include <ostream>

namespace dorvek {

// The program banner, written at the start of a run and again when the solution for the
// pile-head loads starts.
void WriteBanner(std::ostream& console);

} // namespace dorvek
