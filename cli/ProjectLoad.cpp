#include "cli/ProjectLoad.h"
#include "kernel/PathParts.h"

#include "model/plots/PlotProject.h"

#include <algorithm>
#include <exception>
#include <sstream>

namespace dorvek::cli {

std::string Lines(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

bool ExistingFile(const std::filesystem::path& file, std::ostream& err) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec)) return true;
    err << "dorvek-run: " << file.string() << ": no such file\n";
    return false;
}

bool ReadProject(const std::string& name, int filter, TProjectTables& owner, TProgramData& data,
                 std::ostream& err) {
    try {
        data.CreateFromFile(FilePath(name), filter, owner);
        return true;
    } catch (const std::exception& e) { // the reader's message, or another failure
        err << "dorvek-run: " << name << ": " << Lines(e.what()) << "\n";
        return false;
    }
}

ProjectFacts FactsFrom(const TProgramData& data, const TInputTables& tables) {
    ProjectFacts facts;
    facts.title = data.Title;
    facts.units = data.fUnits;
    facts.plot = PlotProjectInfoFrom(data, tables);
    facts.pile = PileSideInputFrom(data, tables);
    facts.capacity = CapacityPileFrom(data, tables);
    facts.measured.units = data.fUnits;
    return facts;
}

bool ReadFacts(Job& job, std::ostream& err) {
    const std::string& name = job.files.input;
    if (FilterFromExtension(name) != FilterCurrent) {
        err << "dorvek-run: " << job.name << ": not a .dv4d project file\n";
        job.refusal = "not a .dv4d project file";
        return false;
    }
    if (!ExistingFile(FilePath(name), err)) {
        job.refusal = "no such file";
        return false;
    }
    TProjectTables owner;
    TProgramData data;
    std::ostringstream why;
    if (!ReadProject(name, FilterCurrent, owner, data, why)) {
        err << why.str();
        job.refusal = "the project could not be read";
        return false;
    }
    job.project = FactsFrom(data, owner.Tables());
    return true;
}

} // namespace dorvek::cli
