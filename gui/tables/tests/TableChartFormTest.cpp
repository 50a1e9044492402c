// The chart-backed table editor: the preview, the file and clipboard buttons with their
// messages, leaving the grid for another control, the segment preview and OK/Cancel.
#include "gui/tables/tests/support/EditorFixture.h"

#include "gui/tables/ChartPreview.h"
#include "gui/tables/TableChartForm.h"
#include "model/tables/FloatColumn.h"
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"

#include <QCategoryAxis>
#include <QClipboard>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>

#include <filesystem>
#include <fstream>

using namespace dorvek;
using namespace dorvek::test;

namespace {

class TempFile {
public:
    explicit TempFile(const std::string& text) {
        fPath =
            std::filesystem::temp_directory_path() /
            ("dorvek_chartform_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".txt");
        std::ofstream(fPath, std::ios::binary) << text;
    }
    ~TempFile() { std::filesystem::remove(fPath); }
    QString Path() const { return QString::fromStdString(fPath.string()); }

private:
    std::filesystem::path fPath;
};

using Rows = std::vector<std::pair<long double, long double>>;

Rows Values(const TGridTable& table) {
    Rows rows;
    for (int r = 0; r < table.RowCount(); ++r)
        rows.emplace_back(table.GetFloatValue(0, r), table.GetFloatValue(1, r));
    return rows;
}

} // namespace

class TableChartForm : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        Install(tables.Families());
    }
    TTableChartForm& OpenChart(TGridTable& table) {
        auto* form = dynamic_cast<TTableChartForm*>(&Open(table));
        if (!form) throw std::logic_error("not a chart form");
        return *form;
    }
    TInputTables tables;
};

// A chart editor frees its whole preview when it goes: nothing of one editor is left once the
// next is open (the sanitizer build reports what is left, e.g. an empty chart of the view's).
TEST_F(TableChartForm, ChartEditorsOpenedInTurnLeaveNoChartBehind) {
    TGridTableChart& ae = tables.TblAE2();
    for (int i = 0; i < 3; ++i) {
        QPointer<TTableChartForm> form(&OpenChart(ae));
        ASSERT_NE(form->Chart(), nullptr);
        EXPECT_EQ(form->Chart()->chart()->series().size(), 2);
        ae.Hide();
        EXPECT_TRUE(form.isNull());
    }
}

TEST_F(TableChartForm, PreviewFollowsTheValues) {
    TGridTableChart& ae = tables.TblAE2();
    TTableChartForm& form = OpenChart(ae);
    ASSERT_NE(form.Chart(), nullptr);
    EXPECT_EQ(form.Segments(), nullptr);
    form.RefreshPreview();
    EXPECT_TRUE(form.Chart()->AxisY()->isReverse()); // depth grows downwards
    EXPECT_FALSE(form.Chart()->AxisX()->isReverse());
    EXPECT_EQ(form.Chart()->AxisX()->titleText(), "Axial Stiffness  AE, (lbs)");
    EXPECT_EQ(form.Chart()->AxisY()->titleText(), "Depth (from pile top) (in)");
    // A new table is flat at zero: a fixed range around it.
    EXPECT_DOUBLE_EQ(form.Chart()->AxisY()->min(), -1);
    EXPECT_DOUBLE_EQ(form.Chart()->AxisY()->max(), 1);

    Type(form, "0");
    Enter(form);
    Type(form, "600");
    Enter(form);
    Type(form, "4.5e9");
    Enter(form);
    Type(form, "4.5e9");
    Enter(form);
    QApplication::processEvents();
    const auto points = form.Chart()->Series1()->points();
    ASSERT_EQ(points.size(), 2);
    EXPECT_EQ(points[1], QPointF(4.5e9, 600));
    EXPECT_FALSE(form.Chart()->Series2()->isVisible());
    // Large values are labelled in scientific form.
    EXPECT_TRUE(form.Chart()->AxisX()->categoriesLabels().contains("5.0E9"));
    EXPECT_TRUE(form.Chart()->AxisY()->categoriesLabels().contains("600"));
}

TEST_F(TableChartForm, ThreeColumnsShowBothMultipliers) {
    TGridTableChart& factors = tables.TblTZFactors2();
    factors.SetFloatValue(0, 1, 480);
    factors.SetFloatValue(1, 1, 1.5);
    factors.SetFloatValue(2, 1, 0.8);
    TTableChartForm& form = OpenChart(factors);
    form.RefreshPreview();
    EXPECT_TRUE(form.Chart()->Series2()->isVisible());
    EXPECT_EQ(form.Chart()->Series2()->points(), (QList<QPointF>{{1, 0}, {0.8, 480}}));
    EXPECT_EQ(form.Chart()->Series1()->name(), "t-Multiplier");
    EXPECT_EQ(form.Chart()->Series2()->name(), "z-Multiplier");
}

TEST_F(TableChartForm, AChartCapsTheShownRowsAtFive) {
    TGridTableChart& ae = tables.TblAE2();
    ae.SetRowCount(20);
    TTableChartForm& form = OpenChart(ae);
    EXPECT_EQ(form.RowsVisible(), 5);
    ae.SetRowCount(4);
    EXPECT_EQ(form.RowsVisible(), 4);
    form.AddRowClick();
    EXPECT_EQ(form.RowsVisible(), 5);
    form.AddRowClick();
    EXPECT_EQ(form.RowsVisible(), 5);
}

TEST_F(TableChartForm, ReadingAFileTakesTheLinesWithTwoNumbers) {
    TGridTableChart& ae = tables.TblAE2();
    TTableChartForm& form = OpenChart(ae);
    EXPECT_FALSE(form.ReadFileButton()->isEnabled());
    EXPECT_FALSE(form.ViewFileButton()->isEnabled());
    TempFile file("Stiffness of the sections\n0 1000\n 100\t2000\n1 2 3\n\n600,3000\n");
    form.FileNameEdit()->setText(file.Path());
    EXPECT_TRUE(form.ReadFileButton()->isEnabled());
    EXPECT_TRUE(form.ViewFileButton()->isEnabled());
    QTest::mouseClick(form.ReadFileButton(), Qt::LeftButton);
    EXPECT_EQ(Values(ae), (Rows{{0, 1000}, {100, 2000}, {600, 3000}}));
    EXPECT_EQ(form.RowsVisible(), 3);
    EXPECT_EQ(CellText(form, 1, 2), "3000");
    EXPECT_TRUE(ae.Changed());
    EXPECT_TRUE(messages.Shown.empty());

    // One data line leaves one row.
    TempFile one("5 6\n");
    form.FileNameEdit()->setText(one.Path());
    form.ReadFileClick();
    EXPECT_EQ(Values(ae), (Rows{{5, 6}}));

    // More lines than the table takes: the first fifty.
    std::string many;
    for (int i = 0; i < 60; ++i) many += std::to_string(i) + " " + std::to_string(2 * i) + "\n";
    TempFile full(many);
    form.FileNameEdit()->setText(full.Path());
    form.ReadFileClick();
    ASSERT_EQ(ae.RowCount(), 50);
    EXPECT_EQ(ae.GetFloatValue(1, 49), 98.0L);
    EXPECT_EQ(form.RowsVisible(), 5);
}

TEST_F(TableChartForm, AFileThatCannotBeReadIsReported) {
    TTableChartForm& form = OpenChart(tables.TblAE2());
    form.FileNameEdit()->setText("/nonexistent/folder/values.txt");
    EXPECT_FALSE(form.ReadFileButton()->isEnabled());
    form.ReadFileClick();
    ASSERT_EQ(messages.Texts("information").size(), 1u);
    EXPECT_NE(messages.Texts("information")[0].find("values.txt"), std::string::npos);
    EXPECT_EQ(tables.TblAE2().RowCount(), 2);
}

TEST_F(TableChartForm, PastingTheClipboard) {
    TGridTableChart& qw = tables.TblQwcurve2();
    TTableChartForm& form = OpenChart(qw);
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->clear();
    form.PasteClick();
    clipboard->setText("Q, w\r\n");
    form.PasteClick();
    clipboard->setText("10,0.1\r\n30\t0.2\r\n50 0.4\r\n");
    form.PasteClick();
    EXPECT_EQ(messages.Texts("information"),
              (std::vector<std::string>{"There is no text available on the Clipboard",
                                        "No data was copied from the Clipboard",
                                        "3 row(s) were copied from the Clipboard"}));
    ASSERT_EQ(qw.RowCount(), 3);
    EXPECT_EQ(qw.GetFloatValue(0, 2), 50.0L);
    EXPECT_EQ(qw.GetFloatValue(1, 2), 0.4L);
    EXPECT_EQ(CellText(form, 0, 1), "30");
}

TEST_F(TableChartForm, CopyingToTheClipboard) {
    TGridTableChart& qw = tables.TblQwcurve2();
    qw.SetFloatValue(0, 0, 12.5);
    qw.SetFloatValue(1, 1, 0.25);
    TTableChartForm& form = OpenChart(qw);
    form.CopyClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "12.5,0\r\n0,0.25\r\n");
    EXPECT_EQ(messages.Texts("information"),
              std::vector<std::string>{"Data was copied to the Clipboard"});
}

TEST_F(TableChartForm, BrowseAndViewTheFile) {
    TTableChartForm& form = OpenChart(tables.TblSettlement2());
    TempFile file("1 2\n");
    messages.OpenChoices.push_back(TFileChoice{file.Path().toStdString(), 1});
    form.BrowseClick();
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Kind, "open");
    EXPECT_EQ(messages.Shown[0].Detail.substr(0, messages.Shown[0].Detail.find('\n')),
              "Text Files (*.txt)|*.txt|Data Files (*.dat)|*.dat|All Files (*.*)|*.*");
    EXPECT_EQ(form.FileNameEdit()->text(), file.Path());
    EXPECT_TRUE(form.ViewFileButton()->isEnabled());
    // A cancelled dialog keeps the name.
    messages.OpenChoices.push_back(std::nullopt);
    form.BrowseClick();
    EXPECT_EQ(form.FileNameEdit()->text(), file.Path());
}

TEST_F(TableChartForm, AnEditorThatCannotBeStartedIsReported) {
    RemoveTableEditors(tables.Families());
    TTableWindowHost host;
    host.Messages = &messages;
    host.TextEditor = [] { return std::string("/nonexistent/editor"); };
    InstallTableEditors(tables.Families(), host);
    TTableChartForm& form = OpenChart(tables.TblSettlement2());
    TempFile file("1 2\n");
    form.FileNameEdit()->setText(file.Path());
    form.ViewFileClick();
    EXPECT_EQ(messages.Texts("information"),
              std::vector<std::string>{"An error occurred in running the Word Processor"});
}

TEST_F(TableChartForm, TheFileButtonsLineUp) {
    TTableChartForm& form = OpenChart(tables.TblTZFactors2());
    const int right = form.ReadFileButton()->geometry().right();
    EXPECT_EQ(form.PasteButton()->geometry().right(), right);
    EXPECT_EQ(form.CopyButton()->geometry().right(), right);
    EXPECT_EQ(form.BrowseButton()->y(), form.ReadFileButton()->y());
    EXPECT_LT(form.PasteButton()->y(), form.CopyButton()->y());
    EXPECT_GT(form.BrowseButton()->y(), form.AddButton()->geometry().bottom());
    EXPECT_GT(form.Grid()->y(), form.Chart()->geometry().bottom());
    EXPECT_GE(form.width(), form.CopyButton()->geometry().right() + form.Margin());
    EXPECT_GE(form.height(), form.CopyButton()->geometry().bottom() + form.Margin());
}

TEST_F(TableChartForm, LeavingTheGridCommitsTheCell) {
    TGridTableChart& ae = tables.TblAE2();
    TTableChartForm& form = OpenChart(ae);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Grid()->Editor()->setFocus();
    Type(form, "25");
    form.FileNameEdit()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ae.GetFloatValue(0, 0), 25.0L);

    form.Grid()->Editor()->setFocus();
    Type(form, "abc");
    form.FileNameEdit()->setFocus();
    QTest::qWait(20);
    EXPECT_EQ(messages.Texts("information").size(), 1u);
    EXPECT_TRUE(form.Grid()->Editor()->hasFocus());
    EXPECT_EQ(form.Grid()->Editor()->text(), "abc");
}

TEST_F(TableChartForm, SegmentsForTheRowsOption) {
    TGridTableChart table(families);
    for (const char* heading : {"x1", "y1", "x2", "y2"})
        table.AddColumn<TFloatColumn>().SetHeading({heading});
    table.Chart = {true, true, 0, 1, 2, 3};
    table.SetRowCount(2);
    table.SetFloatValue(2, 0, 10);
    table.SetFloatValue(3, 0, 5);
    TTableChartForm& form = OpenChart(table);
    ASSERT_NE(form.Segments(), nullptr);
    EXPECT_EQ(form.Chart(), nullptr);
    form.RefreshPreview();
    EXPECT_EQ(form.Segments()->Data().Segments.size(), 2u);
    EXPECT_EQ(form.RowsVisible(), 2);
    EXPECT_FALSE(form.Segments()->grab().isNull());
}

TEST_F(TableChartForm, OKAndCancelClose) {
    TGridTableChart table(families);
    table.AddColumn<TFloatColumn>().SetHeading({"Value"});
    table.OKCancelButtons = true;
    table.SetRowCount(1);
    TTableChartForm& form = OpenChart(table);
    ASSERT_NE(form.OKButton(), nullptr);
    EXPECT_EQ(form.FileNameEdit(), nullptr);
    Type(form, "3");
    QTest::mouseClick(form.OKButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(table.Editor(), nullptr);
    EXPECT_EQ(table.GetFloatValue(0, 0), 3.0L);

    TTableChartForm& again = OpenChart(table);
    Type(again, "abc");
    QTest::mouseClick(again.CancelButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(table.Editor(), nullptr);
    EXPECT_EQ(table.GetFloatValue(0, 0), 3.0L);
    EXPECT_TRUE(messages.Shown.empty());
}
