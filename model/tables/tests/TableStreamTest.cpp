// The "Col" definition stream of whole tables: round trips of every catalogue table, the
// soil-layer stream byte by byte, the older forms, and malformed streams.
#include "model/tables/InputTables.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace dorvek;

namespace {

// An empty table of the same class in the set.
std::unique_ptr<TGridTable> EmptyTableLike(TTableFamilies& families, const TGridTable& table) {
    if (dynamic_cast<const TGridTableChart*>(&table))
        return std::make_unique<TGridTableChart>(families);
    return std::make_unique<TGridTable>(families);
}

void Append(TByteStream& bytes, std::initializer_list<int> values) {
    for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
}

void AppendText(TByteStream& bytes, const std::string& text) {
    Append(bytes, {6, static_cast<int>(text.size())});
    bytes.insert(bytes.end(), text.begin(), text.end());
}

std::string ReadFailure(TGridTable& table, const TByteStream& bytes) {
    try {
        table.ReadColumnStream(bytes);
    } catch (const StreamError& e) {
        return e.what();
    }
    return "no error";
}

// What a column read back must hold, compared with its definition.
void ExpectColumn(const TColumn& column, const TColumnDef& def, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(column.Owner().Family().Kinds.GetIndex(column.ClassType()), def.Kind);
    EXPECT_EQ(column.GetHeading(), def.Heading);
    EXPECT_EQ(column.Visible(), def.Visible);
    EXPECT_EQ(column.SameGroup(), def.SameGroup);
    if (auto* kinds = dynamic_cast<const TEnumColumn*>(&column)) {
        EXPECT_EQ(kinds->Names(), def.Names);
    } else if (auto* ints = dynamic_cast<const TIntColumn*>(&column)) {
        EXPECT_EQ(ints->Default(), def.IntDefault);
        EXPECT_EQ(ints->Minimum(), def.Minimum);
        EXPECT_EQ(ints->Maximum(), def.Maximum);
    } else if (auto* floats = dynamic_cast<const TFloatColumn*>(&column)) {
        EXPECT_EQ(floats->TopDepth(), def.TopDepth);
        EXPECT_EQ(floats->UnitsString(), def.Units);
        EXPECT_EQ(floats->Default(), def.FloatDefault);
    } else if (auto* tables = dynamic_cast<const TTableColumn*>(&column)) {
        std::vector<int> identifiers;
        for (const auto& item : tables->Templates().Items()) {
            EXPECT_TRUE(item.ByIdentifier);
            identifiers.push_back(item.value);
        }
        EXPECT_EQ(identifiers, def.Templates);
    } else if (auto* texts = dynamic_cast<const TStringColumn*>(&column)) {
        EXPECT_EQ(texts->Default(), def.StringDefault);
        EXPECT_EQ(texts->MinWidth(), def.MinWidth);
    }
}

void ExpectTable(const TGridTable& table, const TTableDef& def) {
    ASSERT_EQ(table.ColCount(), static_cast<int>(def.Columns.size())) << def.Component;
    for (int c = 0; c < table.ColCount(); ++c)
        ExpectColumn(table.GetColumn(c), def.Columns[static_cast<size_t>(c)],
                     def.Component + " column " + std::to_string(c));
    if (auto* chart = dynamic_cast<const TGridTableChart*>(&table)) {
        EXPECT_EQ(chart->Chart, def.Chart) << def.Component;
    }
}

// Every column holds the table's rows.
void ExpectConsistentRows(const TGridTable& table) {
    for (int c = 0; c < table.ColCount(); ++c)
        EXPECT_EQ(table.GetColumn(c).Count(), table.RowCount());
}

// The soil-layer stream as stored: three columns, then the chart values.
TByteStream SoilLayerStream() {
    TByteStream bytes;
    Append(bytes, {2, 3});
    Append(bytes, {2, 0, 1}); // enumeration
    // As wide as the longest soil type, "Drilled Shaft in Clay (Reese & O'Neill)": 39.
    AppendText(bytes, "Soil Type" + std::string(30, ' '));
    Append(bytes, {0, 9, 8, 1});
    for (const auto& name : SoilTypeNames()) AppendText(bytes, name);
    Append(bytes, {0});
    Append(bytes, {2, 2, 1}); // float
    AppendText(bytes, "Bottom of Layer");
    Append(bytes, {0, 9, 8, 8});
    AppendText(bytes, "FLOATCOLUMN2");
    AppendText(bytes, "L");
    Append(bytes, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    Append(bytes, {2, 3, 1}); // table
    AppendText(bytes, "Layer Data");
    Append(bytes, {0, 9, 8});
    AppendText(bytes, "FLEXCOLUMN2");
    Append(bytes, {1, 2, 1, 2, 2, 2, 1, 2, 2, 2, 9, 2, 10, 0});
    Append(bytes, {8, 8, 2, 0, 2, 0, 2, 0, 2, 0});
    return bytes;
}

} // namespace

TEST(TableStream, SoilLayerStreamByteForByte) {
    TInputTables tables;
    EXPECT_EQ(tables.D2().ColumnStream(), SoilLayerStream());
}

TEST(TableStream, CurveTableEndsWithItsChartValues) {
    TInputTables tables;
    TByteStream bytes = tables.TblTZCurves2().ColumnStream();
    ASSERT_GE(bytes.size(), 10u);
    TByteStream tail(bytes.end() - 10, bytes.end());
    EXPECT_EQ(tail, (TByteStream{9, 8, 2, 1, 2, 0, 2, 0, 2, 0}));
}

TEST(TableStream, EveryCatalogueTableSurvivesARoundTrip) {
    TInputTables tables;
    const auto& definitions = InputTableDefinitions();
    ASSERT_EQ(tables.Count(), 13);
    for (int i = 0; i < tables.Count(); ++i) {
        const TGridTable& original = tables.Table(i);
        const TTableDef& def = definitions[static_cast<size_t>(i)];
        SCOPED_TRACE(def.Component);
        TByteStream first = original.ColumnStream();
        auto copy = EmptyTableLike(tables.Families(), original);
        copy->SetRowCount(2);
        copy->ReadColumnStream(first);
        EXPECT_EQ(copy->ColumnStream(), first);
        ExpectTable(*copy, def);
        ExpectTable(original, def);
        ExpectConsistentRows(*copy);
    }
}

TEST(TableStream, ReadingIntoARowedTableFillsDefaultsAndBuildsNestedTables) {
    TInputTables tables;
    TTableFamilies& families = tables.Families();
    TGridTableChart copy{families};
    copy.SetRowCount(3);
    int majors = 0;
    copy.Events.OnMajorChange = [&](TGridTable&) { ++majors; };
    copy.ReadColumnStream(tables.TblTZFactors2().ColumnStream());
    EXPECT_EQ(majors, 1);
    EXPECT_EQ(copy.RowCount(), 3);
    EXPECT_EQ(copy.GetFloatValue(1, 2), 1.0L);
    EXPECT_EQ(copy.Chart, (TChartSettings{true, false, 1, 0, 0, 0}));
    TGridTableChart layers{families};
    layers.SetRowCount(2);
    layers.ReadColumnStream(tables.D2().ColumnStream());
    ASSERT_NE(layers.GetDataValue(2, 1), nullptr);
    EXPECT_EQ(layers.GetDataValue(2, 1)->Caption(), "Clay Layer Data");
}

TEST(TableStream, EveryKindAndSettingRoundTrips) {
    TTableFamilies families;
    TGridTableChart table{families};
    auto& kinds = table.AddColumn<TEnumColumn>();
    kinds.SetNames({"x", "\xC3\xA9t\xC3\xA9", ""});
    kinds.SetSameGroup(true);
    auto& ints = table.AddColumn<TIntColumn>();
    ints.SetDefault(-40000);
    ints.SetMinimum(INT_MIN);
    ints.SetMaximum(300);
    ints.SetHeading({"a", "b", "c"});
    auto& top = table.AddColumn<TFloatColumn>();
    top.SetTopDepth(true);
    top.SetDefault(-1.25L);
    top.SetVisible(false);
    table.AddColumn<TFloatColumn>().SetUnitsString("F1/L2^2");
    auto& texts = table.AddColumn<TStringColumn>();
    texts.SetDefault(std::string(300, 'z'));
    texts.SetMinWidth(0.75);
    table.AddColumn<TTableColumn>();
    table.Chart = {true, true, 0, 1, -2, 70000};
    TByteStream bytes = table.ColumnStream();
    TGridTableChart copy{families};
    copy.ReadColumnStream(bytes);
    EXPECT_EQ(copy.ColumnStream(), bytes);
    EXPECT_EQ(copy.Chart, table.Chart);
    auto& copiedInts = static_cast<TIntColumn&>(copy.GetColumn(1));
    EXPECT_EQ(copiedInts.Default(), -40000);
    EXPECT_EQ(copiedInts.Minimum(), INT_MIN);
    EXPECT_EQ(copiedInts.GetHeading().size(), 3u);
    EXPECT_EQ(static_cast<TEnumColumn&>(copy.GetColumn(0)).Names(), kinds.Names());
    EXPECT_TRUE(copy.GetColumn(0).SameGroup());
    EXPECT_FALSE(copy.GetColumn(2).Visible());
    EXPECT_EQ(static_cast<TStringColumn&>(copy.GetColumn(4)).Default(), texts.Default());
}

TEST(TableStream, MissingTemplatesAreWrittenAsMinusOne) {
    TTableFamilies families;
    TGridTable table{families};
    table.AddColumn<TEnumColumn>().SetNames({"a", "b"});
    auto& data = table.AddColumn<TTableColumn>();
    data.Templates().Clear();
    data.Templates().AddByIdent(-1);
    data.Templates().AddByIdent(123456); // nobody holds it
    TByteStream bytes = table.ColumnStream();
    TByteStream tail(bytes.end() - 6, bytes.end());
    EXPECT_EQ(tail, (TByteStream{1, 2, 0xFF, 2, 0xFF, 0}));
}

TEST(TableStream, OlderFloatFormHasTheUnitCodeAndNoDefault) {
    TTableFamilies families;
    TByteStream bytes;
    Append(bytes, {2, 2, 2, 2, 1});
    AppendText(bytes, "Depth");
    Append(bytes, {0, 9, 8, 9}); // TopDepth true
    AppendText(bytes, "L");
    Append(bytes, {2, 2, 1});
    AppendText(bytes, "Bottom");
    Append(bytes, {0, 9, 8, 8});
    AppendText(bytes, "");
    TGridTable table{families};
    table.ReadColumnStream(bytes);
    auto& depth = static_cast<TFloatColumn&>(table.GetColumn(0));
    EXPECT_TRUE(depth.TopDepth());
    EXPECT_EQ(depth.UnitsString(), "L");
    EXPECT_EQ(depth.Default(), 0.0L);
    EXPECT_EQ(static_cast<TFloatColumn&>(table.GetColumn(1)).UnitsString(), "");
    // Written again in the current form.
    TGridTable again{families};
    again.ReadColumnStream(table.ColumnStream());
    EXPECT_EQ(again.ColumnStream(), table.ColumnStream());
}

TEST(TableStream, OlderTableFormBindsTemplatesByPositionOrOrdinal) {
    TTableFamilies families;
    auto stream = [](bool withKinds) {
        TByteStream bytes;
        Append(bytes, {2, withKinds ? 2 : 1});
        if (withKinds) {
            Append(bytes, {2, 0, 1, 0, 9, 8, 1});
            AppendText(bytes, "a");
            AppendText(bytes, "b");
            AppendText(bytes, "c");
            Append(bytes, {0});
        }
        Append(bytes, {2, 3, 1, 0, 9, 8});
        AppendText(bytes, "FLEXCOLUMN");
        Append(bytes, {2, 7});
        return bytes;
    };
    auto templates = [](const TGridTable& table) {
        return static_cast<TTableColumn&>(table.GetColumn(table.ColCount() - 1))
            .Templates()
            .Items();
    };
    TGridTable ordinal{families};
    ordinal.ReadColumnStream(stream(true));
    EXPECT_EQ(templates(ordinal), (std::vector<TIntWrapper>{{true, 1}, {true, 2}, {true, 3}}));
    TGridTable wired{families};
    wired.SetHardwiredButton(true);
    wired.ReadColumnStream(stream(true));
    EXPECT_EQ(templates(wired), (std::vector<TIntWrapper>{{false, 7}, {false, 7}, {false, 7}}));
    TGridTable single{families};
    single.ReadColumnStream(stream(false));
    EXPECT_EQ(templates(single), (std::vector<TIntWrapper>{{false, 7}}));
}

TEST(TableStream, TruncatedStreamsFailWithTheirMessageAtEveryByte) {
    TInputTables tables;
    for (int i = 0; i < tables.Count(); ++i) {
        TByteStream full = tables.Table(i).ColumnStream();
        bool chart = dynamic_cast<TGridTableChart*>(&tables.Table(i)) != nullptr;
        for (size_t length = 0; length < full.size(); ++length) {
            TByteStream part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
            auto table = EmptyTableLike(tables.Families(), tables.Table(i));
            table->SetRowCount(2);
            std::string message = ReadFailure(*table, part);
            bool known = message == "Error reading column count" ||
                         message == "Stream read error" ||
                         message.rfind("Error occured when creating column ", 0) == 0 ||
                         (chart && message == "Error reading graphic parameters");
            EXPECT_TRUE(known) << i << " at " << length << ": " << message;
            ExpectConsistentRows(*table);
        }
    }
}

TEST(TableStream, TruncationMessagesAtTheSeams) {
    TByteStream full = SoilLayerStream();
    TInputTables tables; // the templates the layer data refers to
    TTableFamilies& families = tables.Families();
    TGridTableChart table{families};
    EXPECT_EQ(ReadFailure(table, {}), "Error reading column count");
    EXPECT_EQ(ReadFailure(table, TByteStream(full.begin(), full.begin() + 2)), "Stream read error");
    EXPECT_EQ(ReadFailure(table, TByteStream(full.begin(), full.begin() + 6)),
              "Error occured when creating column 0: Stream read error");
    EXPECT_EQ(ReadFailure(table, TByteStream(full.begin(), full.end() - 10)),
              "Error reading graphic parameters");
    EXPECT_EQ(table.ColCount(), 3) << "the columns read stay";
    EXPECT_EQ(ReadFailure(table, TByteStream(full.begin(), full.end() - 1)),
              "Error reading graphic parameters");
    // A grid table has no chart values: its stream ends after the columns.
    TGridTable grid{families};
    EXPECT_EQ(ReadFailure(grid, TByteStream(full.begin(), full.end() - 10)), "no error");
}

TEST(TableStream, UnknownTagsKindsAndCountsAreRefused) {
    TTableFamilies families;
    TByteStream full = SoilLayerStream();
    TGridTableChart table{families};
    // Column 1's visible flag (tag 9 after its heading list) replaced by the unused tag 7.
    TByteStream badTag = full;
    badTag[5 + 2 + 39 + 1] = 7;
    EXPECT_EQ(ReadFailure(table, badTag),
              "Error occured when creating column 0: Invalid property value");
    TByteStream badKind = full;
    badKind[3] = 5;
    EXPECT_EQ(ReadFailure(table, badKind), "Error Column Class not defined");
    badKind[3] = 0x7F;
    EXPECT_EQ(ReadFailure(table, badKind), "Error Column Class not defined");
    EXPECT_EQ(ReadFailure(table, {2, 0xFF}), "Error reading column count");
    EXPECT_EQ(ReadFailure(table, {6, 1, 'x'}), "Error reading column count");
    EXPECT_EQ(ReadFailure(table, {0x33}), "Error reading column count");
    // A wrong kind code in the second column names that column's index only when the
    // column itself fails: here the float column's unit code is a boolean.
    TByteStream badSecond = SoilLayerStream();
    std::string unitL = std::string("\x06\x01L", 3);
    auto at = std::search(badSecond.begin(), badSecond.end(), unitL.begin(), unitL.end());
    ASSERT_NE(at, badSecond.end());
    *at = 9;
    EXPECT_EQ(ReadFailure(table, badSecond),
              "Error occured when creating column 1: Invalid property value");
}

TEST(TableStream, HugeCountsAndLengthsEndInAnErrorNotAnAllocation) {
    TTableFamilies families;
    TGridTableChart table{families};
    // Two billion columns announced, none there.
    EXPECT_EQ(ReadFailure(table, {4, 0xFF, 0xFF, 0xFF, 0x7F}), "Stream read error");
    // A heading of 2 GB announced in a stream of a few bytes.
    EXPECT_EQ(ReadFailure(table, {2, 1, 2, 0, 1, 12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),
              "Error occured when creating column 0: Stream read error");
    EXPECT_EQ(ReadFailure(table, {2, 1, 2, 0, 1, 18, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}),
              "Error occured when creating column 0: Stream read error");
    EXPECT_EQ(ReadFailure(table, {2, 1, 2, 0, 1, 20, 0xFF, 0xFF, 0xFF, 0xFF}),
              "Error occured when creating column 0: Stream read error");
    // A name list that never ends.
    EXPECT_EQ(ReadFailure(table, {2, 1, 2, 0, 1, 0, 9, 8, 1, 6, 1, 'a', 6, 1, 'b'}),
              "Error occured when creating column 0: Stream read error");
    // A table column naming thousands of templates is read as it stands.
    TByteStream many = {2, 1, 2, 3, 1, 0, 9, 8};
    AppendText(many, "FLEXCOLUMN2");
    many.push_back(1);
    for (int i = 0; i < 5000; ++i) Append(many, {2, 1});
    Append(many, {0, 8, 8, 2, 0, 2, 0, 2, 0, 2, 0});
    EXPECT_EQ(ReadFailure(table, many), "no error");
    EXPECT_EQ(static_cast<TTableColumn&>(table.GetColumn(0)).Templates().Count(), 1)
        << "one template per kind when column 0 is no enumeration";
}

TEST(TableStream, ReadingReplacesTheColumns) {
    TInputTables tables;
    TTableFamilies& families = tables.Families();
    TGridTableChart table{families};
    table.AddColumn<TIntColumn>();
    table.ReadColumnStream(tables.TblAE2().ColumnStream());
    EXPECT_EQ(table.ColCount(), 2);
    EXPECT_EQ(table.GetColumn(0).GetHeading()[0], "Depth (from pile top)");
}

// A depth pair's top column needs a float column after it; read into a table without rows the
// stream used to be taken, and the table then failed at its first row.
TEST(TableStream, DepthTopWithoutFloatPartnerIsRefusedAndTheTableTakesRows) {
    TTableFamilies families;
    TGridTable source{families};
    source.SetRowCount(0);
    source.AddColumn<TFloatColumn>().SetTopDepth(true);
    source.AddColumn<TIntColumn>();
    const TByteStream bytes = source.ColumnStream();

    TGridTable table{families};
    table.SetRowCount(0);
    EXPECT_EQ(ReadFailure(table, bytes),
              "If column if a topdepth then the next column must be a float column");
    ASSERT_EQ(table.ColCount(), 1);
    EXPECT_NO_THROW(table.SetRowCount(3));
    EXPECT_EQ(table.RowCount(), 3);
}

// Streams found by fuzzing (first byte: 1 for the chart-backed family): each is refused with a
// stream error or taken, and the table then takes rows and writes a stream that reads back.
TEST(TableStream, FuzzFindingsAreRefusedOrUsable) {
    const std::filesystem::path folder = DORVEK_SOURCE_DIR "/fuzz/regressions/colstream";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const TByteStream input{std::istreambuf_iterator<char>(in), {}};
        ASSERT_FALSE(input.empty());
        ++files;
        TInputTables templates;
        TTableFamilies& families = templates.Families();
        std::unique_ptr<TGridTable> table = std::make_unique<TGridTable>(families);
        if (input[0] & 1) table = std::make_unique<TGridTableChart>(families);
        try {
            table->ReadColumnStream(std::span(input).subspan(1));
        } catch (const StreamError&) {
        }
        EXPECT_NO_THROW(table->SetRowCount(table->MinRows() + 2));
        EXPECT_NO_THROW(EmptyTableLike(families, *table)->ReadColumnStream(table->ColumnStream()));
    }
    EXPECT_GE(files, 1);
}
