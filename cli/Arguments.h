#pragma once
// The program's arguments as UTF-8 text. On Windows argv holds them in the ANSI code page,
// which loses letters outside it, so they are taken from the wide command line instead.

#include <string>
#include <vector>

namespace dorvek::cli {

std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Keeps the console's output code page at UTF-8 while it lives (Windows), so that file names
// print as they are; the previous code page is restored at the end.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned previous_ = 0;
};

} // namespace dorvek::cli
