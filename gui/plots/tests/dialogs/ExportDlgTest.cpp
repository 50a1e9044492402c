// The export dialog offscreen: its list and enabling rule, Select/Unselect All, and a
// workbook written through the scripted save dialog, or a failure that keeps the old file.

#include "gui/plots/ExportDlg.h"

#include "gui/common/tests/support/ScriptedMessages.h"
#include "model/plots/tests/TempDir.h"
#include "model/plots/tests/export/WorkbookParts.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dorvek {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ExportDlgTest : public ::testing::Test {
protected:
    ExportDlgTest() {
        const char* captions[] = {"Load Distribution",
                                  "Displacement Distribution",
                                  "Displacement/Soil Settlement",
                                  "Axial Load vs Settlement",
                                  "t-z Curves",
                                  "Tip Resistance Curve"};
        for (int i = 0; i < 6; ++i) {
            plots[i].Caption = captions[i];
            plots[i].XOnTop = i != 4;
            plots[i].List(TLineKind::Main).SetLineCount(1);
            plots[i].List(TLineKind::Main).SetCount(2);
            plots[i].List(TLineKind::Main).Point(0, 1) = {1.5L * (i + 1), 2.0L};
        }
    }
    // The displacement/soil-settlement graph is off, as without down-drag.
    std::unique_ptr<TDlgExport> Make() {
        std::vector<TExportEntry> entries;
        for (int i = 0; i < 6; ++i) entries.push_back({&plots[i], i != 2});
        return std::make_unique<TDlgExport>(std::move(entries), &summary, messages,
                                            (dir / "pile.xlsx").string(),
                                            [this](const std::string& f) { opened.push_back(f); });
    }
    static std::vector<bool> Checks(const TDlgExport& dlg) {
        std::vector<bool> checks;
        for (int i = 0; i < dlg.PlotList()->count(); ++i)
            checks.push_back(dlg.PlotList()->item(i)->checkState() == Qt::Checked);
        return checks;
    }

    TGraphPlot plots[6];
    TLoadSettlementSummary summary;
    test::TScriptedMessages messages;
    test::TempDir dir;
    std::vector<std::string> opened;
};

TEST_F(ExportDlgTest, EntriesFollowTheCommandsAndGenerateNeedsACheck) {
    auto dlg = Make();
    EXPECT_EQ(dlg->windowTitle(), "Export to Excel");
    ASSERT_EQ(dlg->PlotList()->count(), 6);
    EXPECT_EQ(dlg->PlotList()->item(2)->text(), "Displacement/Soil Settlement");
    EXPECT_EQ(dlg->PlotList()->item(5)->text(), "Tip Resistance Curve");
    EXPECT_FALSE(dlg->PlotList()->item(2)->flags().testFlag(Qt::ItemIsEnabled));
    EXPECT_TRUE(dlg->PlotList()->item(3)->flags().testFlag(Qt::ItemIsEnabled));
    EXPECT_THAT(Checks(*dlg), ElementsAre(true, true, false, true, true, true));
    EXPECT_TRUE(dlg->MarkersBox()->isChecked());
    EXPECT_EQ(dlg->MarkersBox()->text(), "Add markers in plots");
    EXPECT_TRUE(dlg->GenerateButton()->isEnabled());

    dlg->UnselectAllButton()->click();
    EXPECT_THAT(Checks(*dlg), ElementsAre(false, false, false, false, false, false));
    EXPECT_FALSE(dlg->GenerateButton()->isEnabled());
    dlg->PlotList()->item(4)->setCheckState(Qt::Checked);
    EXPECT_TRUE(dlg->GenerateButton()->isEnabled());
    dlg->PlotList()->item(4)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(dlg->GenerateButton()->isEnabled());
    dlg->SelectAllButton()->click(); // the disabled entry stays unchecked
    EXPECT_THAT(Checks(*dlg), ElementsAre(true, true, false, true, true, true));
    EXPECT_TRUE(dlg->GenerateButton()->isEnabled());

    // Nothing enabled at all: nothing checked, nothing to generate.
    std::vector<TExportEntry> none;
    for (auto& plot : plots) none.push_back({&plot, false});
    TDlgExport empty(none, nullptr, messages, "", {});
    empty.SelectAllButton()->click();
    EXPECT_FALSE(empty.GenerateButton()->isEnabled());
}

TEST_F(ExportDlgTest, GenerateWritesTheCheckedGraphsAndOpensTheWorkbook) {
    summary.units = 2;
    summary.tipMovements = {{120, 0.01L, 0.005L, 30, true}};
    auto dlg = Make();
    dlg->PlotList()->item(1)->setCheckState(Qt::Unchecked);
    dlg->MarkersBox()->setChecked(false);
    messages.SaveChoices.push_back(TFileChoice{(dir / "result").string(), 1});
    dlg->GenerateButton()->click();
    const auto file = dir / "result.xlsx";
    ASSERT_EQ(messages.Shown.size(), 2u);
    EXPECT_EQ(messages.Shown[0].Kind, "save");
    EXPECT_THAT(messages.Shown[0].Detail, HasSubstr("pile.xlsx"));
    EXPECT_THAT(messages.Texts("information"),
                ElementsAre("Export to Excel Completed\rThe workbook was saved as " +
                            file.string() + "\r"));
    EXPECT_THAT(opened, ElementsAre(file.string()));
    const test::Workbook book(file);
    EXPECT_THAT(book.SheetNames(), ElementsAre("Legend", "Page_1", "Plot_1", "Page_2", "Plot_2",
                                               "Page_3", "Plot_3", "Page_4", "Plot_4", "Summary"));
    EXPECT_EQ(book.Text("xl/worksheets/sheet1.xml", "C4"), "Axial Load vs Settlement");
    EXPECT_DOUBLE_EQ(book.Number("xl/worksheets/sheet3.xml", "A7"), 6.0); // 1.5 * 4
    EXPECT_THAT(book.Part("xl/charts/chart1.xml"), HasSubstr("<c:symbol val=\"none\"/>"));
}

TEST_F(ExportDlgTest, CancelAndFailedWritesKeepTheOldFile) {
    auto dlg = Make();
    messages.SaveChoices.push_back(std::nullopt);
    dlg->Generate();
    EXPECT_TRUE(messages.Texts("information").empty());

    test::WriteFile(dir / "old.xlsx", "old");
    messages.SaveChoices.push_back(TFileChoice{(dir / "missing" / "x.xlsx").string(), 1});
    dlg->Generate();
    ASSERT_EQ(messages.Texts("information").size(), 1u);
    EXPECT_THAT(messages.Texts("information")[0], HasSubstr("Cannot write"));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(test::ReadFile(dir / "old.xlsx"), "old");
}

} // namespace
} // namespace dorvek
