// "Export Plots to Excel" of the main window after a run through the kernel library: the
// dialog's entries follow the Graphics commands and the workbook holds the project's results.

#include "gui/app/tests/support/RealWindow.h"
#include "model/workspace/FileNames.h"

#ifdef DORVEK_HAVE_EXPORT_DIALOG
#include "gui/plots/ExportDlg.h"
#include "model/plots/tests/export/WorkbookParts.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dorvek;
using namespace dorvek::test;
using C = TCommand;

TEST(ExportPlots, DialogAfterARunWritesTheResults) {
    TRealWindow w(DORVEK_BIN_DIR);
    const std::string project = w.CopyExample();
    w.Form->Startup({project});
    w.Project().SetChanged();
    w.Form->Execute(C::RunAnalysis);
    ASSERT_TRUE(w.Project().ShowOutput);
    std::vector<std::string> opened;
    w.Form->SetOpenDocument([&](const std::string& file) { opened.push_back(file); });
    const std::string target = (w.Dir.Path() / "book.xlsx").string();
    w.Messages.SaveChoices.push_back(TFileChoice{target, 1});

    std::vector<bool> enabled;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TDlgExport*>(QApplication::activeModalWidget());
        if (!dlg) return;
        seen = true;
        for (int i = 0; i < dlg->PlotList()->count(); ++i)
            enabled.push_back(dlg->PlotList()->item(i)->flags().testFlag(Qt::ItemIsEnabled));
        dlg->GenerateButton()->click();
        dlg->CloseButton()->click();
    });
    w.Form->Execute(C::ExportPlots);
    ASSERT_TRUE(seen);
    // No down-drag in the example: its graph is not offered.
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, false, true, true, true}));
    EXPECT_EQ(w.Messages.Shown.back().Kind, "information");
    EXPECT_EQ(opened, std::vector<std::string>{target});
    const Workbook book(target);
    const std::vector<std::string> names = book.SheetNames();
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names.back(), "Summary");
    EXPECT_EQ(book.Text("xl/worksheets/sheet1.xml", "C7"), "Tip Resistance Curve");
    // The first data point of the load distribution is that of the loaded graph.
    const TGraphPlot& load = w.Project().Graphs().pltLoad;
    EXPECT_DOUBLE_EQ(book.Number("xl/worksheets/sheet2.xml", "A6"),
                     static_cast<double>(load.List(TLineKind::Main).Point(0, 0).x));
    // The summary has a row per tip movement and the applied loads of the example.
    const TLoadSettlementSummary& summary = w.Project().Graphs().Summary;
    EXPECT_EQ(summary.tipMovements.size(),
              static_cast<size_t>(load.List(TLineKind::Main).LineCount()));
    EXPECT_EQ(summary.appliedLoads.size(), 3u);
    EXPECT_DOUBLE_EQ(book.Number("xl/worksheets/sheet7.xml", "A6"),
                     static_cast<double>(summary.tipMovements.front().headLoad));
}
#endif
