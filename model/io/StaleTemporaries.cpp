#include "model/io/StaleTemporaries.h"

#include <cctype>
#include <cerrno>
#include <string_view>
#include <system_error>

#ifndef _WIN32
#include <signal.h>
#endif

namespace dorvek {

namespace fs = std::filesystem;

namespace {

bool Digits(std::string_view text) {
    if (text.empty() || text.size() > 18) return false;
    for (const char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// "PID-N": the process id, or 0.
long ProcessOf(std::string_view text) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos || !Digits(text.substr(0, dash)) ||
        !Digits(text.substr(dash + 1)))
        return 0;
    return std::stol(std::string(text.substr(0, dash)));
}

bool Alive(long process) {
#ifdef _WIN32
    (void)process;
    return true;
#else
    return ::kill(static_cast<pid_t>(process), 0) == 0 || errno != ESRCH;
#endif
}

} // namespace

std::string StaleTemporaryTarget(const std::string& fileName, long& process) {
    process = 0;
    if (fileName.size() < 2 || fileName[0] != '.') return {};
    const std::string_view name = std::string_view(fileName).substr(1);
    // ".NAME.PID-N.tmp"
    if (name.size() > 4 && name.substr(name.size() - 4) == ".tmp") {
        const std::string_view rest = name.substr(0, name.size() - 4);
        const std::size_t dot = rest.rfind('.');
        if (dot != std::string_view::npos && dot > 0 &&
            (process = ProcessOf(rest.substr(dot + 1))) > 0)
            return std::string(rest.substr(0, dot));
    }
    // ".NAME.tmp-PID-N"
    const std::size_t at = name.rfind(".tmp-");
    if (at != std::string_view::npos && at > 0 && (process = ProcessOf(name.substr(at + 5))) > 0)
        return std::string(name.substr(0, at));
    process = 0;
    return {};
}

std::size_t RemoveStaleTemporaries(const fs::path& folder,
                                   const std::function<bool(const std::string& name)>& wanted) {
    std::size_t removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        long process = 0;
        const std::string target = StaleTemporaryTarget(it->path().filename().string(), process);
        if (target.empty() || !wanted(target) || Alive(process)) continue;
        std::error_code removing;
        if (it->is_regular_file(removing) && fs::remove(it->path(), removing)) ++removed;
    }
    return removed;
}

} // namespace dorvek
