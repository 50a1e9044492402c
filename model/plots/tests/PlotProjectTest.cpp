// The project information of plot loading, taken from a project object and its tables.

#include "model/plots/PlotProject.h"
#include "model/project/DataUnit.h"
#include "model/tables/Table.h"

#include <gtest/gtest.h>

namespace dorvek {
namespace {

TEST(PlotProjectTest, ProfileOfUserCurvesHasNoLayers) {
    TProjectTables owner;
    TInputTables& tables = owner.Tables();
    TProgramData data;
    data.Create(owner);
    tables.D2().SetRowCount(1);
    tables.D2().SetIntValue(0, 0, 1);
    tables.D2().SetFloatValue(1, 0, 0); // the empty row that gave "depth= 0 - 0; Clay"
    data.UserTz = true;
    data.UserQw = false;
    EXPECT_EQ(PileSideInputFrom(data, tables).Layers.size(), 1u); // layers still give the tip
    data.UserQw = true;
    EXPECT_TRUE(PileSideInputFrom(data, tables).Layers.empty()); // pile and ground only
}

TEST(PlotProjectTest, OptionsLayersAndSettlementFromTheProject) {
    TProjectTables owner;
    TInputTables& tables = owner.Tables();
    TProgramData data;
    data.Create(owner);
    data.SetUnits(2, tables);
    data.downdrag = 1;
    data.Nloadmethod = 2;
    data.UserTz = true;
    tables.D2().SetRowCount(2);
    tables.D2().SetIntValue(0, 0, 3);
    tables.D2().SetFloatValue(1, 0, 4.5L);
    tables.D2().SetIntValue(0, 1, 6);
    tables.D2().SetFloatValue(1, 1, 12);
    tables.TblSettlement2().SetRowCount(3);
    for (int r = 0; r < 3; ++r) {
        tables.TblSettlement2().SetFloatValue(0, r, 2.0L * r);
        tables.TblSettlement2().SetFloatValue(1, r, 0.01L * (3 - r));
    }

    const PlotProjectInfo info = PlotProjectInfoFrom(data, tables, ',');
    EXPECT_EQ(info.units, 2);
    EXPECT_EQ(info.downdrag, 1);
    EXPECT_EQ(info.nloadmethod, 2);
    EXPECT_TRUE(info.userTz);
    EXPECT_FALSE(info.userQw);
    EXPECT_EQ(info.decimalSeparator, ',');
    ASSERT_EQ(info.layers.size(), 2u);
    EXPECT_EQ(info.layers[0].method, 3);
    EXPECT_EQ(info.layers[0].bottom, 4.5L);
    EXPECT_EQ(info.layers[1].method, 6);
    EXPECT_EQ(info.layers[1].bottom, 12);
    ASSERT_EQ(info.settlement.size(), 3u);
    EXPECT_EQ(info.settlement[2].depth, 4);
    EXPECT_EQ(info.settlement[2].settlement, 0.01L);
    EXPECT_EQ(info.settlement[0].settlement, 0.03L);
}

TEST(PlotProjectTest, NewProjectHasOneClayLayerAtTheSurface) {
    TProjectTables owner;
    TProgramData data;
    data.Create(owner);
    const PlotProjectInfo info = PlotProjectInfoFrom(data, owner.Tables());
    EXPECT_EQ(info.units, 1);
    EXPECT_EQ(info.downdrag, 0);
    ASSERT_EQ(info.layers.size(), 1u);
    EXPECT_EQ(info.layers[0].method, 1);
    EXPECT_EQ(info.layers[0].bottom, 0);
    EXPECT_EQ(info.settlement.size(), 2u); // rows are there; loading uses them with down-drag
}

} // namespace
} // namespace dorvek
