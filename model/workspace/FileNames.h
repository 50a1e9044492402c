#pragma once
// Names the main window derives from the project's file name: caption, generation of a data
// file by its extension, companion files, the command-line argument and the Save As preset.

#include <string>

namespace dorvek {

inline constexpr const char* ProgramVersion = "2021.4.4";
inline constexpr const char* ApplicationTitle = "DORVEK 2021";

// The name of the file without its folder, its first character upper-cased when the name has
// more than one character.
std::string DisplayName(const std::string& fileName);
// "DORVEK 2021.4.4 - " followed by the display name.
std::string MainCaption(const std::string& fileName);

// The extension with its dot, lower-cased ASCII; empty when the file name has none.
std::string LowerExtension(const std::string& fileName);
// The same name with another extension (ext includes the dot).
std::string ChangeExtension(const std::string& fileName, const std::string& ext);

// Data-file generation by extension: 1 ".dv4d", 2 ".dv3d", 3 ".dvd", 0 anything else.
int FormatOfFile(const std::string& fileName);

// The command-line argument as a file name: ".dv4d" is appended when the file part of the
// name has no dot.
std::string CommandLineFileName(const std::string& argument);

// Save must go through Save As for the unnamed project and for projects read from an older
// generation.
bool NeedsSaveAs(const std::string& fileName);
// True while the project still carries the name of a new, never saved project.
bool IsUnnamed(const std::string& fileName);

// Name proposed by the Save As dialog: the current name with ".dv4d" as extension.
std::string SaveAsPreset(const std::string& fileName);
// Title of the Save As dialog.
std::string SaveAsTitle(const std::string& fileName);

// Companion files of a project: report, run notes and plot data.
std::string OutputFileOf(const std::string& fileName);
std::string RunNotesFileOf(const std::string& fileName);
std::string PlotFileOf(const std::string& fileName);

// The folder of a file name; "." when it has none.
std::string FolderOf(const std::string& fileName);

bool FileExists(const std::string& fileName);

} // namespace dorvek
