#pragma once
// Starts an outside program (the text editor, the desktop's document opener) with one file as
// its only argument, directly and never through a shell, and watches it for a moment: a
// program that cannot be started, or that ends at once with an error, is reported. Programs
// that keep running are left alone, also when this program ends.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace dorvek {

class TProgramLauncher : public QObject {
    Q_OBJECT
public:
    // An exit within this time counts as ending at once.
    static constexpr int WatchMilliseconds = 2000;
    using TFailed = std::function<void(const std::string& reason)>;

    explicit TProgramLauncher(QObject* parent = nullptr);

    // Starts program with file. When it cannot start, failed is called before this returns
    // false; when it ends with an error within the watch time, failed is called later from
    // the event loop. The reason reads like "could not be started (No such file or
    // directory)".
    bool Start(const std::string& program, const std::string& file, TFailed failed);

private:
    struct TWatched {
        long long Pid = 0;
        QElapsedTimer Since;
        TFailed Failed;
    };
    void Poll();

    std::vector<TWatched> fWatched;
    QTimer fTimer;
};

} // namespace dorvek
