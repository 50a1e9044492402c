// Number scanning, reading rows from files and clipboard text, and the copy text.
#include "model/tables/TableTransfer.h"
#include "model/tables/NumberScan.h"
#include "model/tables/TableChart.h"
#include "model/tables/TableErrors.h"
#include "model/tables/TableFamily.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace dorvek;

namespace {

using Numbers = std::vector<long double>;

// A two-column curve table: 2 to 5 rows.
struct Curve {
    Curve() {
        table.SetMinRows(2);
        table.SetMaxRows(5);
        table.AddColumn<TFloatColumn>();
        table.AddColumn<TFloatColumn>();
        table.SetRowCount(2);
    }
    std::vector<std::pair<long double, long double>> Rows() const {
        std::vector<std::pair<long double, long double>> rows;
        for (int r = 0; r < table.RowCount(); ++r)
            rows.emplace_back(table.GetFloatValue(0, r), table.GetFloatValue(1, r));
        return rows;
    }
    TTableFamilies families;
    TGridTableChart table{families};
};

class TempFile {
public:
    explicit TempFile(const std::string& text) {
        path_ =
            std::filesystem::temp_directory_path() /
            ("dorvek_transfer_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".txt");
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

using Rows = std::vector<std::pair<long double, long double>>;

} // namespace

TEST(NumberScan, DelimitersAndTheListSeparator) {
    EXPECT_EQ(ListSeparator('.'), ',');
    EXPECT_EQ(ListSeparator(','), ';');
    EXPECT_EQ(ScanNumbers("1 2 3", '.'), (Numbers{1, 2, 3}));
    EXPECT_EQ(ScanNumbers(" \t 1\t2", '.'), (Numbers{1, 2}));
    EXPECT_EQ(ScanNumbers("1,2", '.'), (Numbers{1, 2}));
    EXPECT_EQ(ScanNumbers("1 2\r", '.'), (Numbers{1, 2}));
    EXPECT_EQ(ScanNumbers("1,5;2,5", ','), (Numbers{1.5L, 2.5L}));
    EXPECT_EQ(ScanNumbers("-0.5 2.5e2", '.'), (Numbers{-0.5L, 250}));
}

TEST(NumberScan, AFailedTokenEndsTheScan) {
    EXPECT_EQ(ScanNumbers("Tip load curve", '.'), Numbers{});
    EXPECT_EQ(ScanNumbers("1 abc 2", '.'), (Numbers{1}));
    EXPECT_EQ(ScanNumbers("1,,2", '.'), (Numbers{1}));
    EXPECT_EQ(ScanNumbers("1;2", '.'), Numbers{}) << "';' is no separator with a '.'";
    EXPECT_EQ(ScanNumbers("1 2 x", '.'), (Numbers{1, 2})) << "a bad last word is ignored";
    EXPECT_EQ(ScanNumbers("", '.'), Numbers{});
    EXPECT_EQ(ScanNumbers("   ", '.'), Numbers{});
}

TEST(NumberScan, AtMostFifteenNumbers) {
    std::string line;
    for (int i = 1; i <= 20; ++i) line += std::to_string(i) + " ";
    Numbers numbers = ScanNumbers(line, '.');
    ASSERT_EQ(numbers.size(), 15u);
    EXPECT_EQ(numbers.back(), 15);
}

TEST(NumberScan, LinesEndAtAnyLineBreak) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitLines("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines(""), Lines{});
}

TEST(TableTransfer, FileWithATitleLineAndSkippedLines) {
    Curve curve;
    TempFile file("Tip load curve\r\n0 0\r\n10 0.1\r\n1 2 3\r\n\r\n# comment\r\n20 0.2\r\n");
    EXPECT_EQ(ReadValuesFromFile(curve.table, file.Path(), '.'), 3);
    EXPECT_EQ(curve.Rows(), (Rows{{0, 0}, {10, 0.1L}, {20, 0.2L}}));
    EXPECT_TRUE(curve.table.Changed());
}

TEST(TableTransfer, SingleLineFillsOneRow) {
    Curve curve;
    TempFile file("5 6");
    EXPECT_EQ(ReadValuesFromFile(curve.table, file.Path(), '.'), 1);
    EXPECT_EQ(curve.Rows(), (Rows{{5, 6}})) << "fewer rows than MinRows may remain";
}

TEST(TableTransfer, LinesBeyondMaxRowsAreIgnored) {
    Curve curve;
    std::string text;
    for (int i = 1; i <= 8; ++i) text += std::to_string(i) + " " + std::to_string(10 * i) + "\n";
    TempFile file(text);
    EXPECT_EQ(ReadValuesFromFile(curve.table, file.Path(), '.'), 5);
    EXPECT_EQ(curve.Rows(), (Rows{{1, 10}, {2, 20}, {3, 30}, {4, 40}, {5, 50}}));
}

TEST(TableTransfer, CommaDecimalSeparator) {
    Curve curve;
    EXPECT_EQ(ReadValuesFromText(curve.table, "1,5;2,5\n", ','), 1);
    EXPECT_EQ(curve.Rows(), (Rows{{1.5L, 2.5L}}));
    EXPECT_EQ(CopyValuesText(curve.table, ','), "1,5;2,5\r\n");
}

TEST(TableTransfer, SurplusRowsGoAndMissingRowsAreAdded) {
    Curve curve;
    curve.table.SetMaxRows(0); // no limit
    curve.table.SetRowCount(6);
    EXPECT_EQ(ReadValuesFromText(curve.table, "1 2\n3 4\n", '.'), 2);
    EXPECT_EQ(curve.table.RowCount(), 2);
    std::string many;
    for (int i = 0; i < 40; ++i) many += "1 1\n";
    EXPECT_EQ(ReadValuesFromText(curve.table, many, '.'), 40);
    EXPECT_EQ(curve.table.RowCount(), 40);
}

TEST(TableTransfer, TextWithoutNumbersLeavesTheTableAlone) {
    Curve curve;
    curve.table.SetFloatValue(0, 1, 7);
    EXPECT_EQ(ReadValuesFromText(curve.table, "no numbers here\n1 2 3\n", '.'), 0);
    EXPECT_EQ(curve.Rows(), (Rows{{0, 0}, {7, 0}}));
    EXPECT_FALSE(curve.table.Changed());
}

TEST(TableTransfer, ValuesGoToTheVisibleColumnsThroughTheirEntry) {
    TTableFamilies families;
    TGridTableChart table{families};
    table.AddColumn<TFloatColumn>();
    table.AddColumn<TFloatColumn>().SetVisible(false);
    table.AddColumn<TIntColumn>();
    table.SetRowCount(1);
    EXPECT_EQ(ReadValuesFromText(table, "0.00001 2\n", '.'), 1);
    EXPECT_NEAR(static_cast<double>(table.GetFloatValue(0, 0)), 1e-5, 1e-20);
    EXPECT_EQ(table.GetFloatValue(1, 0), 0.0L);
    EXPECT_EQ(table.GetIntValue(2, 0), 2);
    // A value the column refuses stops the reading with the column's message.
    EXPECT_THROW(ReadValuesFromText(table, "1 2.5e20\n", '.'), AssignmentError);
}

TEST(TableTransfer, UnreadableFileRaises) {
    Curve curve;
    try {
        ReadValuesFromFile(curve.table, "/nonexistent/dorvek/curve.txt", '.');
        FAIL();
    } catch (const TableIOError& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind("Cannot open file \"/nonexistent/dorvek/curve.txt\"", 0),
            0u);
    }
}

TEST(TableTransfer, ClipboardMessages) {
    Curve curve;
    EXPECT_EQ(PasteValuesFromClipboard(curve.table, std::nullopt, '.'),
              "There is no text available on the Clipboard");
    EXPECT_EQ(PasteValuesFromClipboard(curve.table, std::string("text only\r\n"), '.'),
              "No data was copied from the Clipboard");
    EXPECT_EQ(curve.table.RowCount(), 2);
    EXPECT_EQ(PasteValuesFromClipboard(curve.table, std::string("1\t2\r\n3\t4\r\n5\t6\r\n"), '.'),
              "3 row(s) were copied from the Clipboard");
    EXPECT_EQ(curve.Rows(), (Rows{{1, 2}, {3, 4}, {5, 6}}));
    // Line feeds alone and a last line without an end are read as well.
    EXPECT_EQ(PasteValuesFromClipboard(curve.table, std::string("7 8\n9 10"), '.'),
              "2 row(s) were copied from the Clipboard");
    EXPECT_EQ(curve.Rows(), (Rows{{7, 8}, {9, 10}}));
}

TEST(TableTransfer, CopyTextHasEveryColumnOfEveryRow) {
    TTableFamilies families;
    TGridTableChart table{families};
    table.AddColumn<TEnumColumn>().SetNames({"a", "b"});
    table.AddColumn<TFloatColumn>().SetVisible(false);
    table.AddColumn<TStringColumn>().SetDefault("s");
    table.AddColumn<TFloatColumn>();
    table.SetRowCount(2);
    table.SetFloatValue(1, 0, 1.0L / 3);
    table.SetFloatValue(3, 0, 123456789);
    table.SetFloatValue(3, 1, 0.00001L);
    table.SetIntValue(0, 1, 2);
    EXPECT_EQ(CopyValuesText(table, '.'), "1,0.33333333,s,1.2345679E8\r\n2,0,s,1E-5\r\n");
    EXPECT_EQ(CopyValuesText(table, ','), "1;0,33333333;s;1,2345679E8\r\n2;0;s;1E-5\r\n");
    EXPECT_EQ(std::string(kCopiedToClipboard), "Data was copied to the Clipboard");
}
