#pragma once
// A project as plain values, and its way in and out of the project model. The model is not
// thread-safe: each call builds its own table set, uses it and drops it while the
// interpreter's lock is held, and nothing of it is kept between calls.

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace dorvek::python {

// A value the program would refuse; the text is the program's message, after the name of
// the value.
class ValueFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Rows of numbers, row after row.
struct Rows {
    int columns = 1;
    std::vector<long double> cells;

    int Count() const { return columns > 0 ? static_cast<int>(cells.size()) / columns : 0; }
    long double At(int row, int column) const {
        return cells[static_cast<std::size_t>(row * columns + column)];
    }
};

// One soil layer: its soil-type code (1 to 6), the depth of its bottom, and the nine
// properties of its top and bottom (rows 0 and 1).
struct LayerValues {
    int soilType = 1;
    long double bottom = 0;
    std::array<std::array<long double, 9>, 2> properties{};
};

struct CurveValues {
    long double depth = 0;
    Rows points{2, {}}; // t, z
};

struct ProjectValues {
    std::string title;
    int units = 1; // 1 English, 2 S.I.
    long double length = 0, head = 0, diameter = 0, tipArea = 0, tolerance = 0;
    int increments = 50;
    int printOption = 0;
    bool userTz = false, userQw = false;
    int loading = 0; // 0 generated tip movements, 1 the user's tip movements, 2 pile-head loads
    bool downdrag = false, modifyTz = false, modifyQw = false;
    long double qFactor = 1, wFactor = 1;

    Rows ae{2, {}};         // depth, AE
    Rows qwCurve{2, {}};    // Q, w
    Rows settlement{2, {}}; // depth, settlement
    Rows tzFactors{3, {}};  // depth, t-multiplier, z-multiplier
    Rows tipMovements{1, {}};
    Rows headLoads{1, {}};
    std::vector<LayerValues> layers;
    std::vector<CurveValues> tzCurves;
};

// Names of the nine layer properties, in column order of the layer data tables.
const std::array<const char*, 9>& LayerPropertyNames();

// A new project of the unit system (1 or 2), as the program makes one.
ProjectValues NewProject(int units);

// Reads a project file of any generation by its extension. An unknown extension raises
// ValueFault; the reader's errors pass as EInOutError with its message.
ProjectValues ReadProject(const std::string& path);

// The bytes of the project as a ".dv4d" file, written by the program's own writer. Every
// value is checked first (ValueFault).
std::string ProjectText(const ProjectValues& values);

// Writes the project to `path` (a ".dv4d" name) as the program saves it, replacing the
// file whole. Raises ValueFault for a bad value or name, EInOutError when it cannot write.
void WriteProject(const ProjectValues& values, const std::string& path);

// The project in the other unit system, every value converted as the program converts it.
ProjectValues ConvertUnits(const ProjectValues& values, int units);

// What the program checks before a run: the user's tip movements against the largest movements
// of the user's curves (a fault that stops the run: empty when the data pass), then the
// findings the user may run past (layers above the tip, strengths of zero, ...).
struct RunChecks {
    std::string fault;
    std::vector<std::string> warnings;
};
RunChecks CheckBeforeRun(const ProjectValues& values);

// The check of the row count of a table assigned by its attribute name ("ae", "layers", ...,
// "points" for a user t-z curve): the limit the table's editor keeps, or empty.
std::string RowsFault(const std::string& name, int rows);

// The check of one pile value, by its attribute name: the program's message, or empty.
std::string PileValueFault(const std::string& name, long double value);

} // namespace dorvek::python
