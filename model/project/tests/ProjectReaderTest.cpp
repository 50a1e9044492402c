#include "model/project/DataUnit.h"
#include "model/project/tests/support/ProjectFiles.h"
#include "model/tables/NumberFormat.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace dorvek;
using namespace dorvek::test;

namespace {

class ProjectReaderTest : public NewProjectTest {
protected:
    // Writes text to a file of the folder and reads it as generation filter; returns the
    // reading error ("" when none).
    std::string Load(const std::string& text, const std::string& name = "p.dv4d") {
        const std::string file = folder.File(name);
        WriteBytes(file, text);
        owner.SetChanged();
        return InOutErrorOf([&] { data.CreateFromFile(file, FilterFromExtension(file), owner); });
    }

    // Property column of layer k (0-based) in row (0 top, 1 bottom) as text.
    std::string Property(int k, int row, int column) const {
        const TGridTable* p = tables.D2().GetDataValue(2, k);
        return p ? FormatGeneral(p->GetFloatValue(column, row)) : "none";
    }
    std::string PropertyRow(int k, int row) const {
        std::string text;
        for (int c = 0; c < 9; ++c) {
            if (c) text += ' ';
            text += Property(k, row, c);
        }
        return text;
    }
    static std::string Cell(const TGridTable& t, int column, int row) {
        return FormatGeneral(t.GetFloatValue(column, row));
    }

    void ExpectTablesAtLeastMinimum() const {
        for (int i = 0; i < tables.Count(); ++i)
            EXPECT_GE(tables.Table(i).RowCount(), tables.Table(i).MinRows())
                << tables.Table(i).Caption();
    }
};

} // namespace

// Every block and soil type through Save, CreateFromFile and Save again: identical bytes.
TEST_F(ProjectReaderTest, SaveReadSaveGivesTheSameBytes) {
    struct Options {
        bool tz, qw;
        int load, downdrag, modTz, modQw, units;
    };
    for (Options o : {Options{true, false, 2, 1, 1, 1, 2}, Options{true, true, 1, 0, 1, 0, 1},
                      Options{false, true, 0, 1, 0, 1, 1}, Options{false, false, 1, 0, 0, 0, 2}}) {
        data.Create(owner);
        data.SetUnits(o.units, tables);
        data.Title = "Round trip " + std::to_string(o.load);
        data.NINC = 75;
        data.LSO = 2;
        data.UserTz = o.tz;
        data.UserQw = o.qw;
        data.Nloadmethod = o.load;
        data.downdrag = o.downdrag;
        data.ModTZ = o.modTz;
        data.ModQw = o.modQw;
        data.QFactor = 0.85L;
        data.wFactor = 1.15L;
        data.Tolerance = 2.5e-6L;
        data.PLength = 1234.5678L;
        data.HeadCoord = -1.5L;
        data.OD = 0.6096L;
        data.Tiparea = 0.29186351L;

        TGridTable& layers = tables.D2();
        layers.SetRowCount(6);
        for (int k = 0; k < 6; ++k) {
            layers.SetIntValue(0, k, k + 1);
            layers.SetFloatValue(1, k, 3.3L * (k + 1));
            TGridTable* p = layers.GetDataValue(2, k);
            ASSERT_NE(p, nullptr);
            const bool clay = k == 0 || k == 2 || k == 4;
            for (int row = 0; row < 2; ++row) {
                const long double s = 1 + row + k;
                p->SetFloatValue(0, row, 0.07L * s);
                p->SetFloatValue(7, row, 5 * s);
                p->SetFloatValue(8, row, 90 * s);
                if (clay) {
                    p->SetFloatValue(1, row, 10 * s);
                    p->SetFloatValue(2, row, 0.01L * s);
                } else {
                    p->SetFloatValue(3, row, 30 + s);
                    p->SetFloatValue(4, row, 12 * s);
                }
                if (k >= 4) p->SetFloatValue(5, row, 0.1L * s);
                if (k == 4) p->SetFloatValue(6, row, 0.8L);
                if (k == 5) p->SetFloatValue(6, row, 0); // not written for this soil type
            }
        }
        TGridTable& depths = tables.TblTZDepth2();
        depths.SetRowCount(3);
        for (int r = 0; r < 3; ++r) {
            depths.SetFloatValue(0, r, 10.0L * r);
            TGridTable* curve = depths.GetDataValue(1, r);
            ASSERT_NE(curve, nullptr);
            curve->SetRowCount(2 + r);
            for (int p = 0; p < 2 + r; ++p) {
                curve->SetFloatValue(0, p, 1.5L * p * (r + 1));
                curve->SetFloatValue(1, p, 0.001L * p);
            }
        }
        tables.TblQwcurve2().SetRowCount(4);
        for (int r = 0; r < 4; ++r) {
            tables.TblQwcurve2().SetFloatValue(0, r, 1e5L * r);
            tables.TblQwcurve2().SetFloatValue(1, r, 0.02L * r);
        }
        tables.TblAE2().SetRowCount(3);
        for (int r = 0; r < 3; ++r) {
            tables.TblAE2().SetFloatValue(0, r, 100.0L * r);
            tables.TblAE2().SetFloatValue(1, r, 2.9e9L - r);
        }
        tables.TblTipMove().SetRowCount(3);
        for (int r = 0; r < 3; ++r) tables.TblTipMove().SetFloatValue(0, r, 0.1L * (r + 1));
        tables.TblTopload().SetRowCount(2);
        tables.TblTopload().SetFloatValue(0, 0, 1000);
        tables.TblTopload().SetFloatValue(0, 1, -250.75L);
        tables.TblSettlement2().SetFloatValue(0, 1, 50);
        tables.TblSettlement2().SetFloatValue(1, 0, 0.04L);
        tables.TblTZFactors2().SetRowCount(3);
        tables.TblTZFactors2().SetFloatValue(0, 2, 99);
        tables.TblTZFactors2().SetFloatValue(1, 2, 0.5L);

        data.FileName = folder.File("trip.dv4d");
        data.Save(owner);
        const std::string first = ReadBytes(data.FileName);
        const TProgramData before = data;

        TProgramData read;
        read.CreateFromFile(data.FileName, FilterCurrent, owner);
        EXPECT_EQ(read.FileText(tables), first) << "options " << o.load;
        EXPECT_EQ(read.fUnits, o.units);
        EXPECT_EQ(read.Title, before.Title);
        EXPECT_EQ(read.UserTz, o.tz);
        EXPECT_EQ(read.UserQw, o.qw);
        EXPECT_EQ(read.Nloadmethod, o.load);
        EXPECT_EQ(read.downdrag, o.downdrag);
        EXPECT_EQ(read.ModTZ, o.modTz);
        EXPECT_EQ(read.ModQw, o.modQw);
        EXPECT_EQ(read.CircPile, !(o.tz && o.qw));
        EXPECT_EQ(FormatGeneral(read.PLength), "1234.5678");
        EXPECT_EQ(FormatGeneral(read.HeadCoord), "-1.5");
        EXPECT_EQ(read.LSO, 2);
        EXPECT_FALSE(owner.Changed());
    }
}

TEST_F(ProjectReaderTest, FileEndingEarlyKeepsWhatWasRead) {
    data.PLength = 77; // replaced by the default on reading
    const std::string text = CrLf({
        "Short",
        "60 0 1",
        "1 1 ",
        "1",
        "1 2 0.0 10",
        "0.06 0.0  30 0 15 0.0  0.0  4 80",
        "0.065 0.0  31 0 16 0.0  0.0  4.5 81",
        "3",
        "1000 0",
        "2000",
    });
    EXPECT_EQ(Load(text), Incomplete);
    EXPECT_EQ(data.Title, "Short");
    EXPECT_EQ(data.NINC, 60);
    EXPECT_EQ(data.FileName, folder.File("p.dv4d"));
    ASSERT_EQ(tables.D2().RowCount(), 1);
    EXPECT_EQ(tables.D2().GetIntValue(0, 0), 2);
    EXPECT_EQ(PropertyRow(0, 1), "0.065 0 0 31 16 0 0 4.5 81");
    EXPECT_EQ(Cell(tables.TblAE2(), 1, 0), "1000");
    EXPECT_EQ(Cell(tables.TblAE2(), 0, 0), "0");
    EXPECT_EQ(Cell(tables.TblAE2(), 1, 1), "2000");
    // Defaults from the break onwards.
    EXPECT_EQ(data.PLength, 0);
    EXPECT_EQ(data.Tolerance, 0.00001L);
    EXPECT_EQ(data.Nloadmethod, 0);
    EXPECT_EQ(data.ModTZ, 0);
    EXPECT_EQ(tables.TblTipMove().RowCount(), 2);
    EXPECT_EQ(tables.TblTopload().RowCount(), 1);
    ExpectTablesAtLeastMinimum();
    EXPECT_FALSE(owner.Changed());
}

TEST_F(ProjectReaderTest, EmptyAndMissingFiles) {
    EXPECT_EQ(Load(""), Incomplete);
    EXPECT_EQ(data.Title, "");
    ExpectTablesAtLeastMinimum();

    const std::string missing = folder.File("missing.dv4d");
    const std::string message =
        InOutErrorOf([&] { data.CreateFromFile(missing, FilterCurrent, owner); });
    EXPECT_EQ(message, "No such file or directory");
    EXPECT_EQ(data.FileName, missing);
    EXPECT_EQ(data.Title, "New Pile");
    EXPECT_EQ(tables.D2().RowCount(), 1);
    ExpectTablesAtLeastMinimum();
}

TEST_F(ProjectReaderTest, IntegersMayBeWrittenAsWholeReals) {
    const std::string rest = "1 1 \r\n1\r\n1 1 0.0 5\r\n0 0 0 0 0 0 0 0 0\r\n0 0 0 0 0 0 0 0 0\r\n"
                             "2\r\n0 0\r\n0 0\r\n1E-5 5 0 1 1\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n";
    EXPECT_EQ(Load("T\r\n50.0 0 2.0\r\n" + rest), "");
    EXPECT_EQ(data.NINC, 50);
    EXPECT_EQ(data.fUnits, 2);

    EXPECT_EQ(Load("T\r\n1.5 0 1\r\n" + rest),
              "Error on Line 2 Item 1\rAn integer was expected but not found.");
    EXPECT_EQ(data.Title, "T");
    EXPECT_EQ(data.NINC, 50); // the default
    ExpectTablesAtLeastMinimum();
}

TEST_F(ProjectReaderTest, PileLineWithFourOrFiveValues) {
    const std::string head = "T\r\n50 0 1\r\n2 2 \r\n0\r\n0\r\n2\r\n1 0\r\n2 10\r\n";
    const std::string tail = " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n";
    EXPECT_EQ(Load(head + "0.001 480 24 452\r\n" + tail), "");
    EXPECT_EQ(data.HeadCoord, 0);
    EXPECT_EQ(FormatGeneral(data.OD), "24");
    EXPECT_EQ(FormatGeneral(data.Tiparea), "452");

    EXPECT_EQ(Load(head + "0.001 480 -6 24 452\r\n" + tail), "");
    EXPECT_EQ(FormatGeneral(data.HeadCoord), "-6");
    EXPECT_EQ(FormatGeneral(data.OD), "24");
    EXPECT_EQ(FormatGeneral(data.Tiparea), "452");
    EXPECT_EQ(FormatGeneral(data.PLength), "480");
    EXPECT_EQ(FormatGeneral(data.Tolerance), "0.001");
    // Both user curve kinds with no points: no layer block was expected.
    EXPECT_EQ(data.METHOD, 1);
    EXPECT_FALSE(data.CircPile);
    EXPECT_EQ(tables.TblAE2().RowCount(), 2);
    EXPECT_EQ(Cell(tables.TblAE2(), 0, 1), "10");
    EXPECT_EQ(Cell(tables.TblAE2(), 1, 1), "2");
}

// Eight-value lines (older writers) and nine-value lines of every soil type. The words
// 99, 98, 97, 77 and 55 stand where the reader skips.
TEST_F(ProjectReaderTest, PropertyLinesOfEightAndNineValues) {
    const std::string text = CrLf({
        "Words",
        "50 0 1",
        "1 1 ",
        "4",
        "1 1 0.0 10",
        "2 2 10 20",
        "3 5 20 30",
        "4 6 30 40",
        "0.07 10 99 0.01 98 97 5 90",
        "0.08 11 99 0.02 77 98 97 6 91",
        "0.06 99 30 15 98 97 4 80",
        "0.065 99 31 0.5 16 98 97 4.5 81",
        "0.07 20 99 0.005 0.2 0.8 6 70",
        "0.075 21 99 0.006 55 0.3 0.7 7 71",
        "0.06 99 32 20 0.1 0.6 3 60",
        "0.062 99 33 0.9 21 0.15 0.65 3.5 61",
        "2",
        "0 0",
        "0 40",
        "1E-5 40 12 100",
        " 0",
        " 0",
        " 0",
        " 0",
        " 0",
    });
    ASSERT_EQ(Load(text), "");
    // Columns: weight, strength, e50, angle, blow count, z-peak, residual, side, tip.
    EXPECT_EQ(PropertyRow(0, 0), "0.07 10 0.01 0 0 0 0 5 90");
    EXPECT_EQ(PropertyRow(0, 1), "0.08 11 0.02 0 0 0 0 6 91");
    EXPECT_EQ(PropertyRow(1, 0), "0.06 0 0 30 15 0 0 4 80");
    EXPECT_EQ(PropertyRow(1, 1), "0.065 0 0 31 16 0 0 4.5 81");
    EXPECT_EQ(PropertyRow(2, 0), "0.07 20 0.005 0 0 0.2 0.8 6 70");
    EXPECT_EQ(PropertyRow(2, 1), "0.075 21 0.006 0 0 0.3 0.7 7 71");
    EXPECT_EQ(PropertyRow(3, 0), "0.06 0 0 32 20 0.1 0.6 3 60");
    EXPECT_EQ(PropertyRow(3, 1), "0.062 0 0 33 21 0.15 0.65 3.5 61");
    EXPECT_EQ(Cell(tables.D2(), 1, 3), "40");
    EXPECT_EQ(data.HeadCoord, 0);
    EXPECT_EQ(FormatGeneral(data.OD), "12");
    EXPECT_EQ(tables.D2().GetDataValue(2, 2)->Caption(), "Clay Layer Data");
    EXPECT_EQ(tables.D2().GetDataValue(2, 3)->Caption(), "Sand Layer Data");
}

TEST_F(ProjectReaderTest, HiddenValuesAtSkippedPositionsComeBackAsZero) {
    tables.D2().SetRowCount(2);
    tables.D2().SetIntValue(0, 1, 2);
    tables.D2().GetDataValue(2, 0)->SetFloatValue(4, 0, 33);   // clay: second angle column
    tables.D2().GetDataValue(2, 1)->SetFloatValue(2, 0, 0.5L); // sand: e50
    data.FileName = folder.File("hidden.dv4d");
    data.Save(owner);
    data.CreateFromFile(data.FileName, FilterCurrent, owner);
    EXPECT_EQ(Property(0, 0, 4), "0");
    EXPECT_EQ(Property(1, 0, 2), "0");
}

TEST_F(ProjectReaderTest, LoadMethodAndOptionsFollowTheBlocks) {
    // Tip movements chosen but none entered: loads back as generated movements.
    data.Nloadmethod = 1;
    tables.TblTipMove().SetRowCount(0);
    data.FileName = folder.File("none.dv4d");
    data.Save(owner);
    data.CreateFromFile(data.FileName, FilterCurrent, owner);
    EXPECT_EQ(data.Nloadmethod, 0);
    EXPECT_EQ(data.Ntipmove, 0);
    EXPECT_EQ(tables.TblTipMove().RowCount(), 2);

    // Both blocks filled (hand-edited): the loads win. Negative counts are empty blocks.
    const std::string text = CrLf({
        "T",   "50 0 1", "2 2 ", "0",  "-3", "2", "0 0",   "0 0",   "1E-5 0 0 0 0", "1",
        "0.5", "1",      "100",  "-1", " 2", "2", "0 1 1", "9 2 2", " 1",           "2 3",
    });
    ASSERT_EQ(Load(text), "");
    EXPECT_EQ(data.Nloadmethod, 2);
    EXPECT_EQ(data.Ntipmove, 0);
    EXPECT_EQ(data.Ntopload, 1);
    EXPECT_EQ(data.downdrag, 0);
    EXPECT_EQ(data.ModTZ, 1);
    EXPECT_EQ(data.ModQw, 1);
    EXPECT_EQ(FormatGeneral(data.QFactor), "2");
    EXPECT_EQ(FormatGeneral(data.wFactor), "3");
    EXPECT_EQ(Cell(tables.TblTZFactors2(), 2, 1), "2");
    EXPECT_EQ(tables.TblQwcurve2().RowCount(), 2); // filled up to its minimum
    EXPECT_EQ(tables.TblSettlement2().RowCount(), 2);
}

TEST_F(ProjectReaderTest, CountsBeyondTheFileDoNotGrowTheTables) {
    const std::string text = CrLf({
        "T",
        "50 0 1",
        "2 2 ",
        "0",
        "0",
        "2000000000",
        "1 0",
        "2 10",
    });
    EXPECT_EQ(Load(text), Incomplete);
    EXPECT_LE(tables.TblAE2().RowCount(), 4);
    EXPECT_EQ(Cell(tables.TblAE2(), 1, 0), "1");
    EXPECT_EQ(Cell(tables.TblAE2(), 0, 1), "10");

    const std::string curves = CrLf({
        "T",
        "50 0 1",
        "2 2 ",
        "1000000",
        "1 5 2147483647",
        "1 2",
        "3 4",
    });
    EXPECT_EQ(Load(curves), Incomplete);
    EXPECT_LE(tables.TblTZDepth2().RowCount(), 8);
    const TGridTable* curve = tables.TblTZDepth2().GetDataValue(1, 0);
    ASSERT_NE(curve, nullptr);
    EXPECT_LE(curve->RowCount(), 8);
    EXPECT_EQ(Cell(*curve, 0, 1), "3");
}

TEST_F(ProjectReaderTest, SoilTypeWithoutPropertiesPassesItsLinesOver) {
    const std::string text = CrLf({
        "T",
        "50 0 1",
        "1 1 ",
        "2",
        "1 7 0.0 10",
        "2 1 10 20",
        "1 2 3 4 5 6 7 8 9",
        "1 2 3 4 5 6 7 8 9",
        "0.07 10 0.0  0.01 0 0.0  0.0  5 90",
        "0.08 11 0.0  0.02 0 0.0  0.0  6 91",
        "2",
        "0 0",
        "0 20",
        "1E-5 20 0 12 100",
        " 0",
        " 0",
        " 0",
        " 0",
        " 0",
    });
    ASSERT_EQ(Load(text), "");
    EXPECT_EQ(tables.D2().GetIntValue(0, 0), 7);
    EXPECT_EQ(tables.D2().GetDataValue(2, 0), nullptr);
    EXPECT_EQ(PropertyRow(1, 1), "0.08 11 0.02 0 0 0 0 6 91");
    EXPECT_EQ(FormatGeneral(data.PLength), "20");
    // Written back with zeros in its two lines, so the layer count still matches.
    const std::string written = data.FileText(tables);
    EXPECT_NE(written.find("1 7 0.0  1.00000000000000E+0001\r\n2 1  1.00000000000000E+0001 "
                           " 2.00000000000000E+0001\r\n0 0 0 0 0 0 0 0 0\r\n0 0 0 0 0 0 0 0 0\r\n"
                           "0.07 10"),
              std::string::npos)
        << written;
}

// A 2014 project (".dv3d"): one method switch, six-value property lines, the four-value
// pile line, and the modification factors.
const std::string Project2014 = CrLf({
    "Old Pile 2014",
    "40 0 1",
    "2",
    "3",
    "1 1 0.0 120",
    "2 2 120 360",
    "3 6 360 480",
    "0.07 10 0 0.01 5 90",
    "0.075 12 0 0.012 6 95",
    "0.065 0 30 15 4 80",
    "0.066 0 32 18 4.5 85",
    "0.06 0 34 25 3 70",
    "0.061 0 35 26 3.5 75",
    "2",
    "1000000 0",
    "1200000 360",
    "1E-5 360 18 254.5",
    "2",
    "0.1",
    "0.5",
    " 0",
    " 0",
    " 1",
    "2",
    "0 1 1",
    "360 0.8 0.9",
    " 1",
    "1.1 0.95",
});

TEST_F(ProjectReaderTest, Reads2014Format) {
    ASSERT_EQ(Load(Project2014, "old.dv3d"), "");
    EXPECT_EQ(data.METHOD, 2);
    EXPECT_TRUE(data.CircPile);
    EXPECT_FALSE(data.UserTz);
    EXPECT_FALSE(data.UserQw);
    EXPECT_EQ(data.NINC, 40);
    ASSERT_EQ(tables.D2().RowCount(), 3);
    EXPECT_EQ(PropertyRow(0, 0), "0.07 10 0.01 0 0 0 0 5 90");
    EXPECT_EQ(PropertyRow(1, 1), "0.066 0 0 32 18 0 0 4.5 85");
    EXPECT_EQ(PropertyRow(2, 0), "0.06 0 0 34 25 0 0 3 70");
    EXPECT_EQ(data.HeadCoord, 0);
    EXPECT_EQ(data.Nloadmethod, 1);
    EXPECT_EQ(data.ModTZ, 1);
    EXPECT_EQ(data.ModQw, 1);
    EXPECT_EQ(Cell(tables.TblTZFactors2(), 2, 1), "0.9");

    // Saved in the current form.
    const std::string expected = CrLf({
        "Old Pile 2014",
        "40 0 1",
        "1 1 ",
        "3",
        "1 1 0.0  1.20000000000000E+0002",
        "2 2  1.20000000000000E+0002  3.60000000000000E+0002",
        "3 6  3.60000000000000E+0002  4.80000000000000E+0002",
        "0.07 10 0.0  0.01 0 0.0  0.0  5 90",
        "0.075 12 0.0  0.012 0 0.0  0.0  6 95",
        "0.065 0.0  30 0 15 0.0  0.0  4 80",
        "0.066 0.0  32 0 18 0.0  0.0  4.5 85",
        "0.06 0.0  34 0 25 0 0.0  3 70",
        "0.061 0.0  35 0 26 0 0.0  3.5 75",
        "2",
        "1000000 0",
        "1200000 360",
        "1E-5 360 0 18 254.5",
        "2",
        "0.1",
        "0.5",
        " 0",
        " 0",
        " 1",
        "2",
        "0 1 1",
        "360 0.8 0.9",
        " 1",
        "1.1 0.95",
    });
    EXPECT_EQ(data.FileText(tables), expected);
}

// A 2.0 project (".dvd") with user curves in S.I. units: the Q-w curve after the stiffness
// block; the file ends after the settlement block, so the lines after it are not read.
const std::string Project20 = CrLf({
    "Old 2.0",
    "30 1 2",
    "1",
    "2",
    "1 0 3",
    "0 0",
    "10 0.005",
    "20 0.01",
    "2 10 2",
    "0 0",
    "15 0.004",
    "2",
    "5000 0",
    "5000 10",
    "3",
    "100 0",
    "200 0.01",
    "250 0.02",
    "1E-5 10 0.5 0.19635",
    " 0",
    "3",
    "100",
    "200",
    "-50",
    "2",
    "0 0.01",
    "10 0",
    " 1",
    "1",
    "0 2 2",
    " 1",
    "3 3",
});

TEST_F(ProjectReaderTest, Reads20Format) {
    // The factor lines after the settlement block are none of this generation: they are not
    // read, and the reader says that the file holds more than it took.
    ASSERT_EQ(Load(Project20, "old.dvd"),
              "Error on Line 28 Item 1\rMore data follow than a file of this type holds.");
    EXPECT_EQ(data.fUnits, 2);
    EXPECT_EQ(data.LSO, 1);
    EXPECT_EQ(data.METHOD, 1);
    EXPECT_FALSE(data.CircPile);
    EXPECT_TRUE(data.UserTz);
    EXPECT_TRUE(data.UserQw);
    EXPECT_EQ(data.METHODTZ, 1); // recomputed at the next save
    EXPECT_EQ(data.Nloadmethod, 2);
    EXPECT_EQ(data.downdrag, 1);
    EXPECT_EQ(data.ModTZ, 0);
    EXPECT_EQ(data.ModQw, 0);
    EXPECT_EQ(data.QFactor, 1);
    EXPECT_EQ(tables.TblQwcurve2().RowCount(), 3);
    EXPECT_EQ(Cell(tables.TblQwcurve2(), 0, 2), "250");
    EXPECT_EQ(tables.TblTZDepth2().GetDataValue(1, 0)->RowCount(), 3);
    EXPECT_EQ(tables.TblTZDepth2().Units(), 2);

    const std::string expected = CrLf({
        "Old 2.0",
        "30 1 2",
        "2 2 ",
        "2",
        "1 0 3",
        "0 0",
        "10 0.005",
        "20 0.01",
        "2 10 2",
        "0 0",
        "15 0.004",
        "3",
        "100 0",
        "200 0.01",
        "250 0.02",
        "2",
        "5000 0",
        "5000 10",
        "1E-5 10 0 0.5 0.19635",
        " 0",
        "3",
        "100",
        "200",
        "-50",
        "2",
        "0 0.01",
        "10 0",
        " 0",
        " 0",
    });
    EXPECT_EQ(data.FileText(tables), expected);
}

TEST_F(ProjectReaderTest, AFileReadWithAnotherGenerationsRuleSaysSo) {
    // A 2014 file read as 2.0 stops after the settlement block, before its factors.
    EXPECT_EQ(Load(Project2014, "old.dvd"),
              "Error on Line 23 Item 1\rMore data follow than a file of this type holds.");
    EXPECT_EQ(data.ModTZ, 0); // what was read stays
    EXPECT_EQ(tables.D2().RowCount(), 3);
    ExpectTablesAtLeastMinimum();
    // A current file read as 2.0 likewise; read as 2014 its curve-source line has one word
    // too many: the reader stops at its second word.
    data.Create(owner);
    const std::string current = data.FileText(tables);
    EXPECT_EQ(Load(current, "new.dvd"),
              "Error on Line 7 Item 1\rMore data follow than a file of this type holds.");
    EXPECT_NE(Load(current, "new.dv3d"), "");
    // Blank lines and blanks after the last record are no data.
    EXPECT_EQ(Load(current + "\r\n  \r\n\t\r\n", "blank.dv4d"), "");
    EXPECT_EQ(Load(current + "0\r\n", "extra.dv4d"),
              "Error on Line " +
                  std::to_string(std::count(current.begin(), current.end(), '\n') + 1) +
                  " Item 1\rMore data follow than a file of this type holds.");
}

TEST_F(ProjectReaderTest, OlderFormatsReadAsTheCurrentOneFail) {
    // The 2014 file read as the current format: the one-value curve-source line shifts
    // everything after it, and the reader says where.
    EXPECT_NE(Load(Project2014, "old.dv4d"), "");
    ExpectTablesAtLeastMinimum();
}
