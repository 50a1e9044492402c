#include "model/project/DataUnit.h"
#include "model/tables/NumberFormat.h"

#include <gtest/gtest.h>

using namespace dorvek;

namespace {

class DataUnitTest : public ::testing::Test {
protected:
    TProjectTables owner;
    TInputTables& tables = owner.Tables();
    TProgramData data;
};

} // namespace

TEST_F(DataUnitTest, CreateGivesTheNewProject) {
    data.Title = "Other";
    data.PLength = 5;
    data.Nloadmethod = 2;
    data.SetUnits(2, tables);
    tables.D2().SetRowCount(4);
    tables.TblTopload().SetRowCount(7);
    owner.SetChanged();

    data.Create(owner);
    EXPECT_EQ(data.Title, "New Pile");
    EXPECT_EQ(data.FileName, "NewDORVEK.dv4d");
    EXPECT_EQ(data.fUnits, 1);
    EXPECT_EQ(data.PLength, 0);
    EXPECT_EQ(data.Tolerance, 0.00001L);
    EXPECT_EQ(data.NINC, 50);
    EXPECT_EQ(data.Nloadmethod, 0);
    EXPECT_EQ(data.METHOD, 2);
    EXPECT_TRUE(data.CircPile);
    EXPECT_FALSE(owner.Changed());

    // One soil layer of the first type at zero depth; two rows in the other tables, one
    // pile-head load.
    EXPECT_EQ(tables.D2().RowCount(), 1);
    EXPECT_EQ(tables.D2().GetIntValue(0, 0), 1);
    EXPECT_EQ(tables.D2().GetFloatValue(1, 0), 0);
    for (TGridTable* t : {static_cast<TGridTable*>(&tables.TblTZDepth2()),
                          static_cast<TGridTable*>(&tables.TblQwcurve2()),
                          static_cast<TGridTable*>(&tables.TblAE2()),
                          static_cast<TGridTable*>(&tables.TblSettlement2()),
                          static_cast<TGridTable*>(&tables.TblTZFactors2()), &tables.TblTipMove()})
        EXPECT_EQ(t->RowCount(), 2) << t->Caption();
    EXPECT_EQ(tables.TblTopload().RowCount(), 1);
    for (int i = 0; i < tables.Count(); ++i) EXPECT_EQ(tables.Table(i).Units(), 1);
}

TEST_F(DataUnitTest, SetUnitsConvertsLengthsAndAreas) {
    data.PLength = 480;
    data.Tiparea = 144;
    data.OD = 39.37007874L;
    data.HeadCoord = -12;
    data.Tolerance = 0.01L;
    data.QFactor = 1.5;
    data.NINC = 60;
    tables.TblAE2().SetFloatValue(0, 1, 480);          // depth, L
    tables.TblAE2().SetFloatValue(1, 1, 2248.089237L); // AE, F: 10 kN
    data.SetUnits(2, tables);
    // 480 in * 0.0254 = 12.192 m; 144 in^2 * 0.0254^2 = 0.09290304 m^2.
    EXPECT_EQ(FormatGeneral(data.PLength), "12.192");
    EXPECT_EQ(FormatGeneral(data.Tiparea), "0.09290304");
    EXPECT_NEAR(static_cast<double>(data.PLength), 12.192, 1e-9);
    EXPECT_NEAR(static_cast<double>(data.Tiparea), 0.09290304, 1e-12);
    EXPECT_NEAR(static_cast<double>(data.OD), 1.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(data.HeadCoord), -0.3048, 1e-11);
    EXPECT_NEAR(static_cast<double>(data.Tolerance), 0.000254, 1e-14);
    EXPECT_EQ(data.QFactor, 1.5);
    EXPECT_EQ(data.NINC, 60);
    EXPECT_EQ(data.fUnits, 2);
    EXPECT_EQ(FormatGeneral(tables.TblAE2().GetFloatValue(0, 1)), "12.192");
    EXPECT_EQ(FormatGeneral(tables.TblAE2().GetFloatValue(1, 1)), "10");
    for (int i = 0; i < tables.Count(); ++i) EXPECT_EQ(tables.Table(i).Units(), 2);

    // The system already active changes nothing.
    const long double length = data.PLength;
    data.SetUnits(2, tables);
    EXPECT_EQ(data.PLength, length);

    data.SetUnits(1, tables);
    EXPECT_NEAR(static_cast<double>(data.PLength), 480, 1e-9);
    EXPECT_NEAR(static_cast<double>(data.Tiparea), 144, 1e-9);
    EXPECT_EQ(FormatGeneral(tables.TblAE2().GetFloatValue(0, 1)), "480");
}

TEST_F(DataUnitTest, SetUnitsClampsTheSystem) {
    data.PLength = 480;
    data.SetUnits(3, tables);
    EXPECT_EQ(data.fUnits, 2);
    EXPECT_NEAR(static_cast<double>(data.PLength), 12.192, 1e-9);
    data.SetUnits(0, tables);
    EXPECT_EQ(data.fUnits, 1);
    EXPECT_NEAR(static_cast<double>(data.PLength), 480, 1e-9);
    EXPECT_EQ(tables.D2().Units(), 1);
}

TEST_F(DataUnitTest, TablesInUseFollowTheOptions) {
    auto names = [&] {
        std::string text;
        for (TGridTable* t : data.TablesInUse(tables)) text += t->Caption() + "|";
        return text;
    };
    EXPECT_EQ(names(), "Soil Layers|Axial Stiffness (AE) of Pile Sections|");
    EXPECT_TRUE(data.SoilLayersInUse());
    EXPECT_FALSE(data.QwFactorsInUse());

    data.UserTz = true;
    data.Nloadmethod = 1;
    data.downdrag = 1;
    EXPECT_EQ(names(), "Depths for User-Defined t-z Curves|Soil Layers|"
                       "Axial Stiffness (AE) of Pile Sections|Tip Movements|"
                       "Soil Settlement Profile|");

    data.UserQw = true;
    data.Nloadmethod = 2;
    data.downdrag = 0;
    data.ModTZ = 1;
    data.ModQw = 1;
    EXPECT_FALSE(data.SoilLayersInUse());
    EXPECT_TRUE(data.QwFactorsInUse());
    EXPECT_EQ(names(), "Depths for User-Defined t-z Curves|Tip Load vs. Tip Movement|"
                       "Axial Stiffness (AE) of Pile Sections|Pile-Head Loads|"
                       "Modification Factors on t-z Curves|");
    EXPECT_TRUE(data.TableInUse(tables, tables.TblTopload()));
    EXPECT_FALSE(data.TableInUse(tables, tables.TblTipMove()));
    EXPECT_FALSE(data.TableInUse(tables, tables.D2()));
    EXPECT_FALSE(data.TableInUse(tables, tables.tblDataClay2()));
}

TEST_F(DataUnitTest, ChangedFlagCoversTheTables) {
    EXPECT_FALSE(owner.Changed());
    owner.SetChanged();
    EXPECT_TRUE(owner.Changed());
    owner.ResetChanged();
    EXPECT_FALSE(owner.Changed());

    tables.TblAE2().SetChanged(true);
    EXPECT_TRUE(owner.Changed());
    owner.ResetChanged();
    EXPECT_FALSE(owner.Changed());
    EXPECT_FALSE(tables.TblAE2().Changed());

    // Options are not changes of the data.
    data.UserTz = true;
    data.SetUnits(2, tables);
    EXPECT_FALSE(owner.Changed());
}

TEST(DataUnit, FilterFromExtension) {
    EXPECT_EQ(FilterFromExtension("/a/b/pile.dv4d"), FilterCurrent);
    EXPECT_EQ(FilterFromExtension("PILE.DV3D"), Filter2014);
    EXPECT_EQ(FilterFromExtension("c.d/pile.Dvd"), Filter20);
    EXPECT_EQ(FilterFromExtension("pile.txt"), 0);
    EXPECT_EQ(FilterFromExtension("pile"), 0);
}
