#include "gui/app/ProgramLauncher.h"

#include <system_error>
#include <utility>

#ifdef _WIN32
#include <QProcess>
#else
#include <spawn.h>
#include <sys/wait.h>

#ifdef __GLIBC__
#if __GLIBC_PREREQ(2, 34)
#define DORVEK_CLOSE_FROM
#endif
#endif

extern char** environ;
#endif

namespace dorvek {

namespace {

// While a program is within its watch time it is looked at often; afterwards only to collect
// its exit.
constexpr int FastPoll = 50;
constexpr int SlowPoll = 1000;

std::string SystemText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

} // namespace

TProgramLauncher::TProgramLauncher(QObject* parent) : QObject(parent) {
    connect(&fTimer, &QTimer::timeout, this, [this] { Poll(); });
}

#ifdef _WIN32

bool TProgramLauncher::Start(const std::string& program, const std::string& file, TFailed failed) {
    if (QProcess::startDetached(QString::fromStdString(program), {QString::fromStdString(file)}))
        return true;
    if (failed) failed("could not be started");
    return false;
}

void TProgramLauncher::Poll() {
    fTimer.stop();
}

#else

bool TProgramLauncher::Start(const std::string& program, const std::string& file, TFailed failed) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
#ifdef DORVEK_CLOSE_FROM
    // The program gets the standard streams only, none of this program's other files.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
    std::string name = program;
    std::string argument = file;
    char* argv[] = {name.data(), argument.data(), nullptr};
    pid_t pid = 0;
    const int error = program.empty()
                          ? ENOENT
                          : posix_spawnp(&pid, name.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        if (failed) failed("could not be started (" + SystemText(error) + ")");
        return false;
    }
    TWatched watched;
    watched.Pid = pid;
    watched.Since.start();
    watched.Failed = std::move(failed);
    fWatched.push_back(std::move(watched));
    fTimer.start(FastPoll);
    return true;
}

void TProgramLauncher::Poll() {
    bool watching = false;
    // Reported after the list is up to date: a report may start another program.
    std::vector<std::pair<TFailed, std::string>> failures;
    for (auto it = fWatched.begin(); it != fWatched.end();) {
        int status = 0;
        const pid_t done = waitpid(static_cast<pid_t>(it->Pid), &status, WNOHANG);
        const bool inTime = it->Since.elapsed() <= WatchMilliseconds;
        if (done == 0) {
            watching = watching || inTime;
            ++it;
            continue;
        }
        if (done > 0 && inTime && it->Failed) {
            if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
                failures.emplace_back(std::move(it->Failed),
                                      "ended at once with exit code " +
                                          std::to_string(WEXITSTATUS(status)));
            else if (WIFSIGNALED(status))
                failures.emplace_back(std::move(it->Failed), "ended at once by signal " +
                                                                 std::to_string(WTERMSIG(status)));
        }
        it = fWatched.erase(it);
    }
    if (fWatched.empty())
        fTimer.stop();
    else
        fTimer.setInterval(watching ? FastPoll : SlowPoll);
    for (auto& [failed, reason] : failures) failed(reason);
}

#endif

} // namespace dorvek
