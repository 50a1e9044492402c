// The project reader of one file generation (DORVEK_FUZZ_FILTER, DORVEK_FUZZ_EXTENSION): any
// file is read or refused with an input/output error, and what was read, saved and read
// again gives the same project. No nested table is left registered in the project's table
// set beside the ones its rows hold.

#include "fuzz/FuzzSupport.h"
#include "model/io/ReadError.h"
#include "model/project/DataUnit.h"
#include "model/tables/TableFamily.h"

#include <cstdint>

using namespace dorvek;
using namespace dorvek::fuzz;

namespace {

int RegisteredTables(TInputTables& tables) {
    TTableFamilies& families = tables.Families();
    return families.Grid().Tables.Count() + families.Chart().Tables.Count();
}

// With every table back at its default rows, the set holds as many tables as a new one.
void CheckNoTableLeftRegistered(TInputTables& tables) {
    static const int fresh = [] {
        TInputTables defaults;
        return RegisteredTables(defaults);
    }();
    tables.ResetRows();
    Check(RegisteredTables(tables) == fresh,
          "tables left registered: " + std::to_string(RegisteredTables(tables) - fresh));
}

void ReadSaveRead(const std::string& input) {
    TProjectTables owner;
    TProgramData data;
    bool accepted = true;
    try {
        data.CreateFromFile(input, DORVEK_FUZZ_FILTER, owner);
    } catch (const EInOutError&) {
        accepted = false; // the user sees the message; what was read stays
    }
    // What the user may save after opening, even a file that was refused part way.
    data.FileName = Folder().File("saved.dv4d");
    data.Save(owner);
    const std::string saved = ReadFile(data.FileName);
    Check(saved == data.FileText(owner.Tables()), "saved bytes differ from the file text");

    TProgramData again;
    try {
        again.CreateFromFile(data.FileName, FilterCurrent, owner);
    } catch (const EInOutError& e) {
        Fail(std::string("the saved project cannot be read: ") + e.what() +
             (accepted ? "" : " (source refused)"));
    }
    Check(again.FileText(owner.Tables()) == saved, "the saved project reads back differently");
    CheckNoTableLeftRegistered(owner.Tables());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string input = Folder().File(std::string("in") + DORVEK_FUZZ_EXTENSION);
    WriteFile(input, AsText(data, size));
    ReadSaveRead(input);
    return 0;
}
