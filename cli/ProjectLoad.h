#pragma once
// What the commands that read a project share: its checks, its reading and how a failure is
// told on standard error.

#include "cli/Pipeline.h"
#include "model/project/DataUnit.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace dorvek::cli {

// The reader and writer separate the lines of their messages with a CR, which a terminal
// would overprint.
std::string Lines(std::string text);

// False, after "dorvek-run: FILE: no such file" on `err`, when `file` is not a regular file.
bool ExistingFile(const std::filesystem::path& file, std::ostream& err);

// Reads the project `name` of the generation `filter` into `data`; on failure prints the
// reader's message, after the file's name, on `err` and returns false.
bool ReadProject(const std::string& name, int filter, TProjectTables& owner, TProgramData& data,
                 std::ostream& err);

// The plain values the per-file outputs take from a project.
ProjectFacts FactsFrom(const TProgramData& data, const TInputTables& tables);

// Reads the job's project (a current ".dv4d" file) into job.project. On failure the job gets
// the reason as its refusal, and it is printed on `err`; returns false.
bool ReadFacts(Job& job, std::ostream& err);

} // namespace dorvek::cli
