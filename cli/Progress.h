#pragma once
// The progress line of a run on a terminal: done / total, failures so far, elapsed time and
// an estimate of the time left, redrawn in place.

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace dorvek::cli {

// "[12/27] 1 failed, 0:04 elapsed, about 0:05 left" (the estimate from the mean time per
// finished job; "--" before the first one). Times are m:ss, or h:mm:ss from an hour on.
std::string ProgressText(std::size_t done, std::size_t total, std::size_t failed,
                         std::chrono::steady_clock::duration elapsed);

class ProgressLine {
public:
    // Draws nothing when not enabled.
    ProgressLine(std::ostream& terminal, std::size_t total, bool enabled);
    void Update(std::size_t done, std::size_t failed);
    // Removes the line (before other text is printed, and at the end).
    void Clear();

private:
    std::ostream& terminal_;
    std::size_t total_;
    bool enabled_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Whether standard error is a terminal.
bool StandardErrorIsTerminal();

} // namespace dorvek::cli
