#include "kernel/RunMessages.h"

#include "kernel/Kernel.h"

#include <sstream>

namespace dorvek {

void WriteConsoleBanner(std::ostream& console) {
    console << " PROGRAM DORVEK FOR COMPUTING LOAD VS. SETTLEMENT\n"
            << " FOR AN AXIALLY LOADED PILE\n"
            << " VERSION " << kKernelVersion << "\n\n\n\n";
    console.flush();
}

void WriteConsoleProceeding(std::ostream& console) {
    console << "\n\n\n         COMPUTATION IS PROCEEDING.......\n";
    console.flush();
}

void WriteConsoleFileErrors(std::ostream& console) {
    console << "  FILE ERRORS!\n";
    console.flush();
}

std::string FileFaultText(const std::string& path, const std::string& problem) {
    return "File: " + (path.empty() ? std::string("(no name given)") : path) + "\n" + problem;
}

void ReportFatal(FixedWriter& report, const std::string& heading, const std::string& text) {
    report.list();
    report.list();
    report.list("**** " + heading + " ****");
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) report.list(line);
    report.list("The analysis was stopped.");
}

} // namespace dorvek
