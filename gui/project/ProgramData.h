#pragma once
// The scalar values and option flags of one project. The input tables live beside it in the
// project's table set; the whole project is read and written by the project file code.

#include <string>

namespace dorvek {

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
};

} // namespace dorvek
