// Writing the data file (".dv4d"): the records in their fixed order, each line ended by
// CR LF, every real in the general form of the tables (8 significant digits).

#include "model/io/AtomicFile.h"
#include "model/io/OpenFile.h"
#include "model/project/DataUnit.h"
#include "model/project/DepthForm.h"
#include "model/tables/NumberFormat.h"

#include <filesystem>
#include <initializer_list>
#include <system_error>

namespace dorvek {

namespace {

// The literal of a property the layer's soil type does not use, with its own blanks.
constexpr const char* Placeholder = "0.0  ";
constexpr int NoColumn = -1;

// Which column of the layer's property table fills each of the nine positions of a
// property line, by soil-type code; NoColumn writes the placeholder.
constexpr int PropertyColumns[6][9] = {
    {0, 1, NoColumn, 2, 4, NoColumn, NoColumn, 7, 8}, // 1 clay
    {0, NoColumn, 3, 2, 4, NoColumn, NoColumn, 7, 8}, // 2 sand
    {0, 1, NoColumn, 2, 4, NoColumn, NoColumn, 7, 8}, // 3 clay
    {0, NoColumn, 3, 2, 4, NoColumn, NoColumn, 7, 8}, // 4 sand
    {0, 1, NoColumn, 2, 4, 5, 6, 7, 8},               // 5 clay (API)
    {0, NoColumn, 3, 2, 4, 5, NoColumn, 7, 8},        // 6 sand (API)
};

class TFileText {
public:
    // The values separated by single blanks.
    void Line(std::initializer_list<std::string> values) {
        bool first = true;
        for (const auto& value : values) {
            if (!first) fText += ' ';
            fText += value;
            first = false;
        }
        End();
    }
    // Text as it stands, then the line end.
    void Literal(const std::string& text) {
        fText += text;
        End();
    }
    // Values of the given columns of every row, one line per row.
    void Rows(const TGridTable& table, std::initializer_list<int> columns) {
        for (int r = 0; r < table.RowCount(); ++r) {
            bool first = true;
            for (int c : columns) {
                if (!first) fText += ' ';
                fText += table.GetStringValue(c, r);
                first = false;
            }
            End();
        }
    }
    void CountAndRows(const TGridTable& table, std::initializer_list<int> columns) {
        Line({Int(table.RowCount())});
        Rows(table, columns);
    }
    std::string& Text() { return fText; }

    static std::string Int(int value) { return std::to_string(value); }
    static std::string Real(long double value) { return FormatGeneral(value, 8); }

private:
    void End() { fText += "\r\n"; }

    std::string fText;
};

// A line break inside the title would shift every record after it.
std::string TitleLine(std::string title) {
    for (char& c : title)
        if (c == '\r' || c == '\n') c = ' ';
    return title;
}

void WriteUserTZCurves(TFileText& out, const TGridTable& depths) {
    out.Line({TFileText::Int(depths.RowCount())});
    for (int r = 0; r < depths.RowCount(); ++r) {
        const TGridTable* curve = depths.GetDataValue(1, r);
        const int points = curve ? curve->RowCount() : 0;
        out.Line({TFileText::Int(r + 1), depths.GetStringValue(0, r), TFileText::Int(points)});
        if (curve) out.Rows(*curve, {0, 1});
    }
}

// Nine values of one row of a layer's property table; a soil type without a table writes
// zeros so that the line count the readers expect still holds.
std::string PropertyLine(int code, const TGridTable* properties, int row) {
    std::string line;
    for (int position = 0; position < 9; ++position) {
        const bool last = position == 8;
        if (!properties || code < 1 || code > 6) {
            line += last ? "0" : "0 ";
            continue;
        }
        const int column = PropertyColumns[code - 1][position];
        if (column == NoColumn) {
            line += Placeholder;
        } else {
            line += properties->GetStringValue(column, row);
            if (!last) line += ' ';
        }
    }
    return line;
}

void WriteLayers(TFileText& out, const TGridTable& layers) {
    const int n = layers.RowCount();
    out.Line({TFileText::Int(n)});
    for (int k = 0; k < n; ++k) {
        const std::string top = k == 0 ? "0.0" : FormatDepth(layers.GetFloatValue(1, k - 1));
        out.Line({TFileText::Int(k + 1), TFileText::Int(layers.GetIntValue(0, k)), top,
                  FormatDepth(layers.GetFloatValue(1, k))});
    }
    for (int k = 0; k < n; ++k) {
        const int code = layers.GetIntValue(0, k);
        TGridTable* properties = layers.GetDataValue(2, k);
        // Exactly the two rows of the layer's top and bottom.
        if (properties) properties->SetRowCount(properties->MinRows());
        for (int row = 0; row < 2; ++row) {
            const bool haveRow = properties && row < properties->RowCount();
            out.Literal(PropertyLine(code, haveRow ? properties : nullptr, row));
        }
    }
}

} // namespace

std::string TProgramData::FileText(TInputTables& tables) {
    Ntipmove = Nloadmethod == 1 ? 1 : 0;
    Ntopload = Nloadmethod == 2 ? 1 : 0;
    METHODTZ = UserTz ? 2 : 1;
    METHODQW = UserQw ? 2 : 1;

    TFileText out;
    out.Literal(TitleLine(Title));
    out.Line({TFileText::Int(NINC), TFileText::Int(LSO), TFileText::Int(fUnits)});
    out.Literal(TFileText::Int(METHODTZ) + " " + TFileText::Int(METHODQW) + " ");
    METHOD = UserTz && UserQw ? 1 : 2;

    if (METHODTZ == 2) WriteUserTZCurves(out, tables.TblTZDepth2());
    if (METHODQW == 2) out.CountAndRows(tables.TblQwcurve2(), {0, 1});
    if (METHOD == 2) WriteLayers(out, tables.D2());
    out.CountAndRows(tables.TblAE2(), {1, 0}); // AE first, then the depth
    out.Line({TFileText::Real(Tolerance), TFileText::Real(PLength), TFileText::Real(HeadCoord),
              TFileText::Real(OD), TFileText::Real(Tiparea)});

    if (Ntipmove == 0)
        out.Literal(" 0");
    else
        out.CountAndRows(tables.TblTipMove(), {0});
    if (Ntopload == 0)
        out.Literal(" 0");
    else
        out.CountAndRows(tables.TblTopload(), {0});
    if (downdrag == 0)
        out.Literal(" 0");
    else
        out.CountAndRows(tables.TblSettlement2(), {0, 1});
    if (ModTZ == 0) {
        out.Literal(" 0");
    } else {
        out.Literal(" 1");
        out.CountAndRows(tables.TblTZFactors2(), {0, 1, 2});
    }
    if (ModQw == 0) {
        out.Literal(" 0");
    } else {
        out.Literal(" 1");
        out.Line({TFileText::Real(QFactor), TFileText::Real(wFactor)});
    }
    return std::move(out.Text());
}

void TProgramData::Save(TProjectTables& owner) {
    const std::string text = FileText(owner.Tables());
    ReplaceFile(FileName, text);

    // Nothing reads the companion; a failure to create it does not undo the saved project.
    std::filesystem::path wave(FileName);
    wave.replace_extension(".gwi");
    std::error_code ec;
    if (!std::filesystem::is_directory(wave, ec)) {
        if (std::FILE* file = OpenFile(wave, "wb")) std::fclose(file);
    }
    WaveFileName = wave.string();
    owner.ResetChanged();
}

} // namespace dorvek
