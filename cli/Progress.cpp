#include "cli/Progress.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dorvek::cli {

namespace {

std::string Clock(long long seconds) {
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
    return text;
}

} // namespace

std::string ProgressText(std::size_t done, std::size_t total, std::size_t failed,
                         std::chrono::steady_clock::duration elapsed) {
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    const long long ms = duration_cast<milliseconds>(elapsed).count();
    // Appended piece by piece: a chain of + draws a false -Wrestrict from GCC 12.
    std::string text(1, '[');
    text += std::to_string(done);
    text += '/';
    text += std::to_string(total);
    text += "] ";
    text += std::to_string(failed);
    text += " failed, ";
    text += Clock(ms / 1000);
    text += " elapsed, ";
    if (done == 0) return text + "-- left";
    const long long left =
        static_cast<long long>(static_cast<double>(ms) / static_cast<double>(done) *
                                   static_cast<double>(total - done) / 1000.0 +
                               0.5);
    return text + "about " + Clock(left) + " left";
}

ProgressLine::ProgressLine(std::ostream& terminal, std::size_t total, bool enabled)
    : terminal_(terminal), total_(total), enabled_(enabled) {}

void ProgressLine::Update(std::size_t done, std::size_t failed) {
    if (!enabled_) return;
    // Carriage return, the text, then erase to the end of the line.
    terminal_ << '\r'
              << ProgressText(done, total_, failed, std::chrono::steady_clock::now() - start_)
              << "\033[K" << std::flush;
    shown_ = true;
}

void ProgressLine::Clear() {
    if (!shown_) return;
    terminal_ << "\r\033[K" << std::flush;
    shown_ = false;
}

bool StandardErrorIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

} // namespace dorvek::cli
