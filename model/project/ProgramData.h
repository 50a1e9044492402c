#pragma once
// The scalar values and option flags of one project. The input tables live beside it in the
// project's table set; the whole project is read and written by the project file code.
//
// Names kept from the project file's layout:
//   fUnits        1 English (ft and in, kips and lbs), 2 S.I. (m, kN)
//   OD, PLength, HeadCoord, Tiparea   outer diameter, pile length, pile-head coordinate, tip area
//   NINC          number of pile increments; LSO the print option written beside it (the kernel's
//                 IPRINT: below 1 the report lists the distributions)
//   METHOD        1 when both curve kinds are entered by the user, 2 when soil layers are needed;
//                 METHODTZ, METHODQW the same per curve kind (2 = user-entered)
//   UserTz, UserQw  the curve sources as the options menu sets them
//   Nloadmethod   0 generated tip movements, 1 user tip movements, 2 pile-head loads; Ntipmove
//                 and Ntopload are derived from it when saving
//   downdrag      1 when a soil settlement profile is applied
//   ModTZ, ModQw  1 when the t-z or Q-w modification factors are applied; QFactor, wFactor are
//                 the Q-w multipliers
//   Name1, Date1  designer and date of the title dialog

#include <filesystem>
#include <string>
#include <vector>

namespace dorvek {

class TGridTable;
class TInputTables;
class TProjectTables;

struct TProgramData {
    int fUnits = 1; // 1 English, 2 S.I.
    std::string FileName = "NewDORVEK.dv4d";
    std::string WaveFileName; // the empty ".gwi" companion written at each save
    std::string Title = "New Pile";
    std::string Name1; // designer (title dialog only)
    std::string Date1; // date text (title dialog only)
    long double QFactor = 1.0L;
    long double wFactor = 1.0L;
    long double OD = 0;
    long double PLength = 0;
    long double HeadCoord = 0;
    long double Tiparea = 0;
    long double Tolerance = 0.00001L;
    int NINC = 50;
    int LSO = 0;
    int METHOD = 2;   // 1 = both curve kinds entered by the user, 2 = soil layers needed
    int METHODTZ = 1; // derived from UserTz when saving
    int METHODQW = 1; // derived from UserQw when saving
    int downdrag = 0;
    int Ntipmove = 0;    // derived from Nloadmethod
    int Ntopload = 0;    // derived from Nloadmethod
    int Nloadmethod = 0; // 0 generated tip movements, 1 user tip movements, 2 pile-head loads
    bool CircPile = true;
    bool UserTz = false;
    bool UserQw = false;
    int ModTZ = 0;
    int ModQw = 0;

    static constexpr const char* NewFileName = "NewDORVEK.dv4d";
    // The longest title the title dialog takes.
    static constexpr int MaxTitleLength = 80;

    // A new project: default values, every table at its minimum rows of default values, the
    // changed flag cleared.
    void Create(TProjectTables& owner);

    // Replaces this project by the one in FName of generation filter (1 ".dv4d", 2 ".dv3d",
    // 3 ".dvd"; see DataUnit.h). A reading error, or words left after the last record of
    // that generation, raises EInOutError with the reader's text once the reading has stopped: the
    // values read so far stay, the rest keep their defaults, every table has at least its minimum
    // rows, the changed flag is cleared and FileName is FName. Errors of other kinds pass through
    // after the same clean-up.
    void CreateFromFile(const std::filesystem::path& FName, int filter, TProjectTables& owner);

    // Writes the project to FileName as a ".dv4d" file and creates the empty ".gwi"
    // companion beside it; then clears the changed flag. The derived flags (METHODTZ,
    // METHODQW, METHOD, Ntipmove, Ntopload) are brought up to date first. A failure raises
    // EInOutError, leaves any existing file at FileName intact and the flag set.
    void Save(TProjectTables& owner);

    // The bytes Save writes (brings the derived flags up to date).
    std::string FileText(TInputTables& tables);

    // Switches to unit system `system` (clamped to 1..2): the pile scalars are converted by
    // the length factor 39.37007874 (in per m) and every table converts its own cells.
    void SetUnits(int system, TInputTables& tables);

    // Which input the options use. Tables not in use keep their rows but are neither saved
    // nor offered for editing.
    bool SoilLayersInUse() const { return !(UserTz && UserQw); }
    bool TipMovesInUse() const { return Nloadmethod == 1; }
    bool TopLoadsInUse() const { return Nloadmethod == 2; }
    bool SettlementInUse() const { return downdrag == 1; }
    bool TZFactorsInUse() const { return ModTZ == 1; }
    bool QwFactorsInUse() const { return ModQw == 1; }
    // The top-level tables in use, in the order of the data file (the stiffness table is
    // always among them).
    std::vector<TGridTable*> TablesInUse(const TInputTables& tables) const;
    // Whether the table (a top-level input table) is in use; false for the templates.
    bool TableInUse(const TInputTables& tables, const TGridTable& table) const;
};

} // namespace dorvek
