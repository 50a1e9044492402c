#include "model/project/DataUnit.h"
#include "model/project/tests/support/ProjectFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

using namespace dorvek;
using namespace dorvek::test;

namespace {

class ProjectWriterTest : public NewProjectTest {
protected:
    // Layer k (0-based) of soil type code with bottom depth; properties by column for the
    // top row, the bottom row gets each value plus one.
    void SetLayer(int k, int code, long double bottom,
                  std::initializer_list<std::pair<int, long double>> properties) {
        TGridTable& layers = tables.D2();
        if (layers.RowCount() <= k) layers.SetRowCount(k + 1);
        layers.SetIntValue(0, k, code);
        layers.SetFloatValue(1, k, bottom);
        TGridTable* p = layers.GetDataValue(2, k);
        ASSERT_NE(p, nullptr);
        for (auto [column, value] : properties) {
            p->SetFloatValue(column, 0, value);
            p->SetFloatValue(column, 1, value + 1);
        }
    }
};

} // namespace

// Title; 50 increments, LSO 0, English; generated curves (trailing blank); one code-1 layer
// from 0.0 to 0 with every property 0 (the residual ratio 0.9 is not written for code 1);
// two stiffness rows of zeros; the pile line; five empty blocks.
const std::string NewProjectBytes = "New Pile\r\n"
                                    "50 0 1\r\n"
                                    "1 1 \r\n"
                                    "1\r\n"
                                    "1 1 0.0  0.00000000000000E+0000\r\n"
                                    "0 0 0.0  0 0 0.0  0.0  0 0\r\n"
                                    "0 0 0.0  0 0 0.0  0.0  0 0\r\n"
                                    "2\r\n"
                                    "0 0\r\n"
                                    "0 0\r\n"
                                    "1E-5 0 0 0 0\r\n"
                                    " 0\r\n"
                                    " 0\r\n"
                                    " 0\r\n"
                                    " 0\r\n"
                                    " 0\r\n";

TEST_F(ProjectWriterTest, NewProjectSavesByteForByte) {
    data.FileName = folder.File("new.dv4d");
    owner.SetChanged();
    data.Save(owner);
    EXPECT_EQ(ReadBytes(data.FileName), NewProjectBytes);
    EXPECT_FALSE(owner.Changed());
    // The empty companion beside it.
    EXPECT_EQ(data.WaveFileName, folder.File("new.gwi"));
    EXPECT_TRUE(std::filesystem::exists(data.WaveFileName));
    EXPECT_EQ(std::filesystem::file_size(data.WaveFileName), 0u);
}

TEST_F(ProjectWriterTest, LayerBlockPositionsByCode) {
    data.Title = "  Two layers, blanks kept  ";
    SetLayer(0, 1, 10, {{0, 0.07L}, {1, 10}, {2, 0.01L}, {7, 5}, {8, 90}});
    // Sand (API): the hidden e50 is still written at position 4, the residual ratio not.
    SetLayer(1, 6, 20,
             {{0, 0.06L}, {2, 0.02L}, {3, 30}, {4, 12}, {5, 0.1L}, {6, 0.5L}, {7, 4}, {8, 80}});
    SetLayer(2, 5, 32.5L,
             {{0, 0.065L}, {1, 20}, {2, 0.005L}, {5, 0.2L}, {6, 0.8L}, {7, 6}, {8, 70}});
    SetLayer(3, 4, 1e9L, {{0, 0.06L}, {3, 35}, {4, 20}, {7, 3}, {8, 100}});
    const std::string text = data.FileText(tables);
    const std::string expected = CrLf({
        "  Two layers, blanks kept  ",
        "50 0 1",
        "1 1 ",
        "4",
        "1 1 0.0  1.00000000000000E+0001",
        "2 6  1.00000000000000E+0001  2.00000000000000E+0001",
        "3 5  2.00000000000000E+0001  3.25000000000000E+0001",
        "4 4  3.25000000000000E+0001  1.00000000000000E+0009",
        // code 1: weight, strength, -, e50, column 4, -, -, side, tip
        "0.07 10 0.0  0.01 0 0.0  0.0  5 90",
        "1.07 11 0.0  1.01 0 0.0  0.0  6 91",
        // code 6: weight, -, angle, e50, blow count, z-peak, -, side, tip
        "0.06 0.0  30 0.02 12 0.1 0.0  4 80",
        "1.06 0.0  31 1.02 13 1.1 0.0  5 81",
        // code 5: weight, strength, -, e50, column 4, z-peak, residual, side, tip
        "0.065 20 0.0  0.005 0 0.2 0.8 6 70",
        "1.065 21 0.0  1.005 0 1.2 1.8 7 71",
        // code 4: weight, -, angle, e50, blow count, -, -, side, tip
        "0.06 0.0  35 0 20 0.0  0.0  3 100",
        "1.06 0.0  36 0 21 0.0  0.0  4 101",
        "2",
        "0 0",
        "0 0",
        "1E-5 0 0 0 0",
        " 0",
        " 0",
        " 0",
        " 0",
        " 0",
    });
    EXPECT_EQ(text, expected);
}

TEST_F(ProjectWriterTest, EveryOptionalBlock) {
    data.UserTz = true;
    data.Nloadmethod = 2;
    data.downdrag = 1;
    data.ModTZ = 1;
    data.ModQw = 1;
    data.QFactor = 1.25L;
    data.wFactor = 0.00001L;
    data.NINC = 80;
    data.LSO = 1;
    data.Tolerance = 0.0001L;
    data.PLength = 480;
    data.HeadCoord = -24;
    data.OD = 24;
    data.Tiparea = 452.3904L;

    TGridTable& depths = tables.TblTZDepth2();
    depths.SetFloatValue(0, 0, 0);
    depths.SetFloatValue(0, 1, 480);
    TGridTable* c1 = depths.GetDataValue(1, 0);
    TGridTable* c2 = depths.GetDataValue(1, 1);
    ASSERT_TRUE(c1 && c2);
    c1->SetRowCount(3);
    c1->SetFloatValue(0, 1, 1.5L);
    c1->SetFloatValue(1, 1, 0.1L);
    c1->SetFloatValue(0, 2, 2);
    c1->SetFloatValue(1, 2, 0.3L);
    c2->SetFloatValue(0, 1, 123456789);
    c2->SetFloatValue(1, 1, 0.2L);

    TGridTable& ae = tables.TblAE2();
    ae.SetFloatValue(0, 1, 480); // depth
    ae.SetFloatValue(1, 0, 3.6e9L);
    ae.SetFloatValue(1, 1, 3.6e9L);
    tables.TblTipMove().SetFloatValue(0, 0, 0.5L); // not in use: not written
    tables.TblTopload().SetRowCount(2);
    tables.TblTopload().SetFloatValue(0, 0, 100000);
    tables.TblTopload().SetFloatValue(0, 1, -50000);
    tables.TblSettlement2().SetFloatValue(0, 1, 240);
    tables.TblSettlement2().SetFloatValue(1, 0, 2);
    tables.TblTZFactors2().SetFloatValue(0, 1, 480);
    tables.TblTZFactors2().SetFloatValue(2, 1, 0.5L);

    const std::string expected = CrLf({
        "New Pile",
        "80 1 1",
        "2 1 ",
        "2",
        "1 0 3",
        "0 0",
        "1.5 0.1",
        "2 0.3",
        "2 480 2",
        "0 0",
        "1.2345679E8 0.2",
        "1",
        "1 1 0.0  0.00000000000000E+0000",
        "0 0 0.0  0 0 0.0  0.0  0 0",
        "0 0 0.0  0 0 0.0  0.0  0 0",
        "2",
        "3.6E9 0", // exponent 10 of 0.36E10: beyond fixed notation
        "3.6E9 480",
        "0.0001 480 -24 24 452.3904",
        " 0",
        "2",
        "100000",
        "-50000",
        "2",
        "0 2",
        "240 0",
        " 1",
        "2",
        "0 1 1",
        "480 1 0.5",
        " 1",
        "1.25 1E-5",
    });
    EXPECT_EQ(data.FileText(tables), expected);
    EXPECT_EQ(data.METHODTZ, 2);
    EXPECT_EQ(data.METHODQW, 1);
    EXPECT_EQ(data.METHOD, 2);
    EXPECT_EQ(data.Ntipmove, 0);
    EXPECT_EQ(data.Ntopload, 1);
}

TEST_F(ProjectWriterTest, UserCurvesOfBothKindsLeaveOutTheLayers) {
    data.UserTz = true;
    data.UserQw = true;
    data.Nloadmethod = 1;
    tables.TblQwcurve2().SetFloatValue(0, 1, 250);
    tables.TblQwcurve2().SetFloatValue(1, 1, 0.75L);
    tables.TblTipMove().SetFloatValue(0, 1, 0.25L);
    const std::string expected = CrLf({
        "New Pile",
        "50 0 1",
        "2 2 ",
        "2",
        "1 0 2",
        "0 0",
        "0 0",
        "2 0 2",
        "0 0",
        "0 0", // t-z block
        "2",
        "0 0",
        "250 0.75", // Q-w block
        "2",
        "0 0",
        "0 0", // stiffness
        "1E-5 0 0 0 0",
        "2",
        "0",
        "0.25", // tip movements
        " 0",
        " 0",
        " 0",
        " 0",
    });
    EXPECT_EQ(data.FileText(tables), expected);
    EXPECT_EQ(data.METHOD, 1);
    EXPECT_EQ(data.Ntipmove, 1);
    EXPECT_EQ(data.Ntopload, 0);

    // Only the Q-w curve entered: its block and the layer block.
    data.UserTz = false;
    const std::string text = data.FileText(tables);
    EXPECT_NE(text.find("1 2 \r\n2\r\n0 0\r\n250 0.75\r\n1\r\n1 1 0.0 "), std::string::npos)
        << text;
    EXPECT_EQ(data.METHOD, 2);
}

TEST_F(ProjectWriterTest, TitleLineBreaksWouldShiftTheRecords) {
    data.Title = "two\r\nlines";
    const std::string text = data.FileText(tables);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "two  lines");
}

TEST_F(ProjectWriterTest, SavingKeepsTheTemplatesBound) {
    // Five layers, then a new t-z depth row: it must still get a t-z curve table, and a new
    // layer a property table of its soil type.
    for (int k = 0; k < 5; ++k) SetLayer(k, k % 2 + 1, 10.0L * (k + 1), {{0, 0.07L}});
    std::vector<int> before;
    for (int i = 0; i < tables.Count(); ++i) before.push_back(tables.Table(i).Identifier());
    data.FileName = folder.File("five.dv4d");
    data.Save(owner);
    for (int i = 0; i < tables.Count(); ++i)
        EXPECT_EQ(tables.Table(i).Identifier(), before[static_cast<size_t>(i)]);
    tables.TblTZDepth2().SetRowCount(3);
    TGridTable* curve = tables.TblTZDepth2().GetDataValue(1, 2);
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->Caption(), "t-z curve");
    tables.D2().SetRowCount(6);
    tables.D2().SetIntValue(0, 5, 2);
    ASSERT_NE(tables.D2().GetDataValue(2, 5), nullptr);
    EXPECT_EQ(tables.D2().GetDataValue(2, 5)->Caption(), "Sand Layer Data");
}

TEST_F(ProjectWriterTest, SaveReplacesAnExistingFileWhole) {
    data.FileName = folder.File("p.dv4d");
    WriteBytes(data.FileName, std::string(5000, 'x'));
    WriteBytes(folder.File("p.gwi"), "old");
    data.Save(owner);
    EXPECT_EQ(ReadBytes(data.FileName), NewProjectBytes);
    EXPECT_EQ(ReadBytes(folder.File("p.gwi")), "");
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 2);
}

// Runs f in a child process without the superuser's rights (permissions bind everyone else);
// the child's exit code is f's result.
template <class F> void ExpectInUnprivilegedChild(F&& f) {
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::exit(3);
            std::exit(f() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ProjectWriterTest, FailedSaveRaisesAndKeepsTheOldFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    data.FileName = folder.File("p.dv4d");
    WriteBytes(data.FileName, "old content\r\n");
    ::chmod(folder.Path().c_str(), 0555); // the folder takes no new file
    ExpectInUnprivilegedChild([&] {
        owner.SetChanged();
        const std::string message = InOutErrorOf([&] { data.Save(owner); });
        std::fprintf(stderr, "%s\n", message.c_str());
        return message.find("p.dv4d") != std::string::npos &&
               message.find("Permission denied") != std::string::npos && owner.Changed() &&
               ReadBytes(data.FileName) == "old content\r\n";
    });
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(data.FileName), "old content\r\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 1); // no temporary file left
}

TEST_F(ProjectWriterTest, ReadOnlyFileIsNotReplaced) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    data.FileName = folder.File("ro.dv4d");
    WriteBytes(data.FileName, "kept");
    ::chmod(data.FileName.c_str(), 0444);
    ::chmod(folder.Path().c_str(), 0777); // the folder itself would allow a rename
    ExpectInUnprivilegedChild([&] {
        const std::string message = InOutErrorOf([&] { data.Save(owner); });
        return message.find("Permission denied") != std::string::npos &&
               ReadBytes(data.FileName) == "kept";
    });
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(data.FileName), "kept");
}

TEST_F(ProjectWriterTest, TargetThatIsAFolderRaisesAndStays) {
    data.FileName = folder.File("dir.dv4d");
    std::filesystem::create_directory(data.FileName);
    WriteBytes(folder.File("dir.dv4d/inside"), "x");
    EXPECT_NE(InOutErrorOf([&] { data.Save(owner); }), "");
    EXPECT_EQ(ReadBytes(folder.File("dir.dv4d/inside")), "x");
}

TEST_F(ProjectWriterTest, MissingFolderRaises) {
    data.FileName = folder.File("no/such/folder/p.dv4d");
    const std::string message = InOutErrorOf([&] { data.Save(owner); });
    EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
}

TEST_F(ProjectWriterTest, ReplacedFileKeepsItsPermissions) {
    data.FileName = folder.File("perm.dv4d");
    WriteBytes(data.FileName, "x");
    ::chmod(data.FileName.c_str(), 0640);
    data.Save(owner);
    struct stat st {};
    ASSERT_EQ(::stat(data.FileName.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}
