#pragma once
// Fixed messages of a run: the console texts, and the block that ends the report when a run
// stops on a file or input fault.

#include "kernel/FixedFormat.h"

#include <ostream>
#include <string>

namespace dorvek {

// Program banner; written at the start and again when the pile-head-load run starts.
void WriteConsoleBanner(std::ostream& console);
// After all files are open.
void WriteConsoleProceeding(std::ostream& console);
// When a path line of names.dat could not be read.
void WriteConsoleFileErrors(std::ostream& console);

// "File: <path>" and the explanation, under a heading naming the kind of fault.
std::string FileFaultText(const std::string& path, const std::string& problem);
// Last lines of the report of a run that stopped on a fault (each line of `text` becomes
// one list line).
void ReportFatal(FixedWriter& report, const std::string& heading, const std::string& text);

} // namespace dorvek
