// Reading the data file in its three generations: the current ".dv4d", the 2014 ".dv3d" and
// the 2.0 ".dvd". Reading stops at the first error; what was read stays.

#include "model/io/WordRead.h"
#include "model/project/DataUnit.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace dorvek {

namespace {

// Columns of a layer's property table.
enum Property {
    UnitWeight = 0,
    Strength = 1,
    E50 = 2,
    Angle = 3,
    BlowCount = 4,
    ZPeak = 5,
    Residual = 6,
    Side = 7,
    Tip = 8
};

class TProjectReader {
public:
    TProjectReader(TWordReader& reader, TProgramData& data, TInputTables& tables)
        : fIn(reader), fData(data), fTables(tables) {
        // Words on each line and on all lines after it, to bound counts read from the file.
        fWordsFrom.assign(static_cast<size_t>(reader.LineCount()) + 1, 0);
        for (int i = reader.LineCount() - 1; i >= 0; --i)
            fWordsFrom[static_cast<size_t>(i)] =
                fWordsFrom[static_cast<size_t>(i) + 1] + reader.WordCount(i);
    }

    void Read(int filter) {
        const bool current = filter != Filter2014 && filter != Filter20;
        fData.Title = fIn.ReadLine();
        fData.NINC = fIn.ReadInteger();
        fData.LSO = fIn.ReadInteger();
        fData.SetUnits(fIn.ReadInteger(), fTables);

        if (current) {
            fData.METHODTZ = fIn.ReadInteger();
            fData.METHODQW = fIn.ReadInteger();
            fData.UserTz = fData.METHODTZ == 2;
            fData.UserQw = fData.METHODQW == 2;
            fData.METHOD = fData.UserTz && fData.UserQw ? 1 : 2;
        } else {
            // One switch for both curve kinds: 1 = both entered by the user.
            fData.METHOD = fIn.ReadInteger();
            fData.UserTz = fData.UserQw = fData.METHOD == 1;
        }
        fData.CircPile = fData.METHOD == 2;

        if (current ? fData.METHODTZ == 2 : fData.METHOD == 1) ReadUserTZCurves();
        if (current && fData.METHODQW == 2) ReadRows(fTables.TblQwcurve2(), {0, 1});
        if (fData.METHOD == 2) ReadLayers(current);
        ReadRows(fTables.TblAE2(), {1, 0}); // AE first, then the depth
        if (!current && fData.METHOD == 1) ReadRows(fTables.TblQwcurve2(), {0, 1});
        ReadPileLine();

        const bool tipMoves = ReadRows(fTables.TblTipMove(), {0}) >= 1;
        const bool loads = ReadRows(fTables.TblTopload(), {0}) >= 1;
        fData.Ntipmove = tipMoves && !loads ? 1 : 0;
        fData.Ntopload = loads ? 1 : 0;
        fData.Nloadmethod = loads ? 2 : tipMoves ? 1 : 0;
        fData.downdrag = ReadRows(fTables.TblSettlement2(), {0, 1}) >= 1 ? 1 : 0;

        if (filter == Filter20) return; // this generation has no modification factors
        fData.ModTZ = fIn.ReadInteger() > 0 ? 1 : 0;
        if (fData.ModTZ == 1) ReadRows(fTables.TblTZFactors2(), {0, 1, 2});
        fData.ModQw = fIn.ReadInteger() > 0 ? 1 : 0;
        if (fData.ModQw == 1) {
            fData.QFactor = fIn.ReadFloat();
            fData.wFactor = fIn.ReadFloat();
        }
    }

private:
    // A row count as written: negative counts as 0. A count larger than the rest of the file
    // can hold is cut to one row more than it can hold, so that the reading still ends at
    // the end of the file while no table grows beyond what the file could fill.
    int ReadCount(int wordsPerRow) {
        const long long n = std::max(fIn.ReadInteger(), 0);
        const long long left = fWordsFrom[static_cast<size_t>(
            std::min(fIn.CurrentLine(), static_cast<int>(fWordsFrom.size()) - 1))];
        return static_cast<int>(std::min(n, left / wordsPerRow + 1));
    }

    // A count line, then one line per row into the given columns. Returns the row count.
    int ReadRows(TGridTable& table, std::initializer_list<int> columns) {
        const int n = ReadCount(static_cast<int>(columns.size()));
        table.SetRowCount(n);
        for (int r = 0; r < n; ++r)
            for (int c : columns) table.SetFloatValue(c, r, fIn.ReadFloat());
        return n;
    }

    void ReadUserTZCurves() {
        TGridTable& depths = fTables.TblTZDepth2();
        const int n = ReadCount(3);
        depths.SetRowCount(n);
        for (int r = 0; r < n; ++r) {
            fIn.ReadInteger(); // curve number
            depths.SetFloatValue(0, r, fIn.ReadFloat());
            const int points = ReadCount(2);
            TGridTable* curve = depths.GetDataValue(1, r);
            if (curve) curve->SetRowCount(points);
            for (int p = 0; p < points; ++p) {
                const long double t = fIn.ReadFloat();
                const long double z = fIn.ReadFloat();
                if (curve) {
                    curve->SetFloatValue(0, p, t);
                    curve->SetFloatValue(1, p, z);
                }
            }
        }
    }

    void ReadLayers(bool current) {
        TGridTable& layers = fTables.D2();
        const int n = ReadCount(4);
        layers.SetRowCount(n);
        for (int k = 0; k < n; ++k) {
            fIn.ReadInteger(); // layer number
            layers.SetIntValue(0, k, fIn.ReadInteger());
            fIn.ReadFloat(); // the top repeats the bottom of the layer above
            layers.SetFloatValue(1, k, fIn.ReadFloat());
            if (TGridTable* properties = layers.GetDataValue(2, k))
                properties->SetRowCount(properties->MinRows());
        }
        for (int k = 0; k < n; ++k) {
            const int code = layers.GetIntValue(0, k);
            TGridTable* properties = layers.GetDataValue(2, k);
            for (int row = 0; row < 2; ++row) {
                if (code < 1 || code > 6 || !properties || row >= properties->RowCount()) {
                    SkipLine();
                    continue;
                }
                TPropertyRow p{*properties, row};
                p.Set(ZPeak, 0);
                p.Set(Residual, 0);
                ReadPropertyLine(code, p, current);
            }
        }
    }

    struct TPropertyRow {
        TGridTable& Table;
        int Row;
        void Set(int column, long double value) { Table.SetFloatValue(column, Row, value); }
    };

    void Take(TPropertyRow& p, int column) { p.Set(column, fIn.ReadFloat()); }
    // A position this layer's soil type does not use; it must still be a number.
    void Skip(int count = 1) {
        for (int i = 0; i < count; ++i) fIn.ReadFloat();
    }
    // Nine values; older writers left out one (eight values: no blow count for the clays,
    // no e50 for the sands).
    bool NineValues() const { return fIn.CurrentLineWordCount() == 9; }

    // The older generations write six values: unit weight, strength, (unused), e50 for the
    // clays; unit weight, (unused), friction angle, blow count for the sands; then side
    // friction and tip resistance. The current one adds an unused value after e50 or the
    // friction angle (see NineValues) and, before side friction, zpeak and residual.
    void ReadPropertyLine(int code, TPropertyRow& p, bool current) {
        const bool clay = code == 1 || code == 3 || code == 5;
        Take(p, UnitWeight);
        if (clay) {
            Take(p, Strength);
            Skip();
            Take(p, E50);
            if (current && NineValues()) Skip();
            p.Set(Angle, 0);
            p.Set(BlowCount, 0);
        } else {
            Skip();
            p.Set(Strength, 0);
            p.Set(E50, 0);
            Take(p, Angle);
            if (current && NineValues()) Skip();
            Take(p, BlowCount);
        }
        if (current) {
            if (code == 5 || code == 6) {
                Take(p, ZPeak);
                Take(p, Residual);
            } else {
                Skip(2);
            }
        }
        Take(p, Side);
        Take(p, Tip);
    }

    // The property line of a layer whose soil type has no properties: its values are passed
    // over so that the lines after it keep their meaning.
    void SkipLine() {
        fIn.ReadFloat();
        const int words = fIn.CurrentLineWordCount();
        Skip(words - 1);
    }

    void ReadPileLine() {
        fData.Tolerance = fIn.ReadFloat();
        fData.PLength = fIn.ReadFloat();
        fData.HeadCoord = 0;
        // Four values: the older line without the pile-head coordinate.
        if (fIn.CurrentLineWordCount() == 5) fData.HeadCoord = fIn.ReadFloat();
        fData.OD = fIn.ReadFloat();
        fData.Tiparea = fIn.ReadFloat();
    }

    TWordReader& fIn;
    TProgramData& fData;
    TInputTables& fTables;
    std::vector<long long> fWordsFrom;
};

constexpr const char* MoreDataText = "More data follow than a file of this type holds.";

void FillToMinimumRows(TInputTables& tables) {
    for (int i = 0; i < tables.Count(); ++i) {
        TGridTable& table = tables.Table(i);
        if (table.RowCount() < table.MinRows()) table.SetRowCount(table.MinRows());
    }
}

} // namespace

void TProgramData::CreateFromFile(const std::filesystem::path& FName, int filter,
                                  TProjectTables& owner) {
    TInputTables& tables = owner.Tables();
    const std::filesystem::path name = FName; // FName may be made from this project's FileName
    Create(owner);
    FileName = name.string();
    for (int i = 0; i < tables.Count(); ++i) tables.Table(i).SetRowCount(0);
    try {
        TWordReader reader(name);
        TProjectReader(reader, *this, tables).Read(filter);
        // Words left over mean the file was not all read: another generation, or a record
        // that went astray. Saving what was read would lose the rest.
        if (const auto [line, item] = reader.NextUnreadWord(); line > 0)
            throw EInOutError("Error on Line " + std::to_string(line) + " Item " +
                              std::to_string(item) + "\r" + MoreDataText);
    } catch (...) {
        FillToMinimumRows(tables);
        owner.ResetChanged();
        throw;
    }
    FillToMinimumRows(tables);
    owner.ResetChanged();
}

} // namespace dorvek
