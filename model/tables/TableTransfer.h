#pragma once
// Rows of numbers into and out of a table: reading a text file, pasting clipboard text and
// the comma-separated copy. The window supplies the texts and shows the messages.

#include <optional>
#include <string>
#include <vector>

namespace dorvek {

class TGridTable;

inline constexpr const char* kNoClipboardText = "There is no text available on the Clipboard";
inline constexpr const char* kNothingPasted = "No data was copied from the Clipboard";
inline constexpr const char* kCopiedToClipboard = "Data was copied to the Clipboard";

// Stores every line that holds exactly one number per visible column as the next row,
// through each column's text entry, adding rows as needed and stopping after MaxRows
// lines (when MaxRows is set); rows beyond the accepted lines are then deleted. A text
// without any such line leaves the table as it was. Returns the number of lines stored.
int ReadRowsFromLines(TGridTable& table, const std::vector<std::string>& lines,
                      char decimalSeparator);
int ReadValuesFromText(TGridTable& table, const std::string& text, char decimalSeparator);
// Raises TableIOError when the file cannot be read.
int ReadValuesFromFile(TGridTable& table, const std::string& path, char decimalSeparator);

// Pastes the clipboard's text (none: no text on the clipboard) and returns the message
// for the user.
std::string PasteValuesFromClipboard(TGridTable& table, const std::optional<std::string>& text,
                                     char decimalSeparator);

// Clipboard text of more than one cell: more than one line, or a tab between values (one
// line break at the end, as a spreadsheet leaves after a copied cell, does not count).
bool HoldsSeveralCells(const std::string& text);
// The text with one line break at its end removed.
std::string WithoutLastLineEnd(std::string text);

// Pastes lines of numbers into the cells from (visible column, row) on: line k goes to row
// row + k and its numbers, scanned as the paste button scans them, go to the visible columns
// from the given one rightwards, skipping columns of nested tables; numbers beyond the last
// column are dropped. Rows are added as needed up to MaxRows; lines beyond it are dropped.
// A line without numbers leaves its row alone. When a column refuses a value the table is
// brought back as it was and the error passes on. Returns the number of rows pasted into.
int PasteCells(TGridTable& table, int visibleColumn, int row, const std::string& text,
               char decimalSeparator);

// One line per row of every column's text (floats with 8 significant digits), joined by
// the list separator and ended by CR LF.
std::string CopyValuesText(const TGridTable& table, char decimalSeparator);

} // namespace dorvek
