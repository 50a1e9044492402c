// Rows of numbers read from a text into a curve table (two value columns, 2 to 5 rows) and
// into a one-column list without a row limit, as a file and as clipboard text, with both
// decimal separators: nothing fails, the table never grows beyond its row limit (it may end
// below its minimum: rows beyond the accepted lines go), and a text without any accepted line
// leaves the table as it was.

#include "fuzz/FuzzSupport.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableFamily.h"
#include "model/tables/TableTransfer.h"

#include <cstdint>

using namespace dorvek;
using namespace dorvek::fuzz;

namespace {

struct CurveTable {
    CurveTable() {
        table.SetMinRows(2);
        table.SetMaxRows(5);
        table.AddColumn<TFloatColumn>();
        table.AddColumn<TFloatColumn>();
        table.SetRowCount(2);
    }
    TTableFamilies families;
    TGridTableChart table{families};
};

struct ListTable {
    ListTable() {
        table.SetMinRows(1);
        table.AddColumn<TFloatColumn>();
        table.SetRowCount(1);
    }
    TTableFamilies families;
    TGridTable table{families};
};

void CheckRows(const TGridTable& table, int before, int stored) {
    Check(stored >= 0, "negative count of stored lines");
    Check(table.RowCount() == stored || stored == 0, "rows other than the stored lines");
    if (table.MaxRows() > 0)
        Check(table.RowCount() <= table.MaxRows(), "more rows than the maximum");
    if (stored == 0) Check(table.RowCount() == before, "a text without numbers changed the table");
}

void ReadInto(TGridTable& table, const std::string& text, char separator) {
    const int before = table.RowCount();
    CheckRows(table, before, ReadValuesFromText(table, text, separator));
    CopyValuesText(table, separator);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(AsText(data, size));
    for (char separator : {'.', ','}) {
        CurveTable curve;
        ReadInto(curve.table, text, separator);
        ListTable list;
        ReadInto(list.table, text, separator);
        PasteValuesFromClipboard(list.table, text, separator);
    }
    static const std::string file = Folder().File("values.txt");
    WriteFile(file, text);
    CurveTable fromFile;
    ReadValuesFromFile(fromFile.table, file, '.');
    return 0;
}
