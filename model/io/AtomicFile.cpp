#include "model/io/AtomicFile.h"
#include "model/io/OpenFile.h"

#include "kernel/FileSink.h"
#include "kernel/OutputTarget.h"
#include "kernel/TemporaryFile.h"
#include "model/io/ReadError.h"

#include <cerrno>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dorvek {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPiece = 1 << 20;

[[noreturn]] void Fail(const fs::path& path, const std::string& reason) {
    throw EInOutError("Cannot write \"" + path.string() + "\": " + reason);
}

[[noreturn]] void Fail(const fs::path& path, int error) {
    Fail(path, SystemReason(error ? error : EIO));
}

// 0 or the system's error of writing all of `bytes` to `fd`.
int WriteAll(int fd, std::string_view bytes) {
    FileSink sink;
    sink.attach(fd);
    sink.sputn(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const int error = sink.error();
    sink.close();
    return error;
}

int SyncToDisk(int fd) {
#ifdef _WIN32
    return ::_commit(fd) == 0 ? 0 : (errno ? errno : EIO);
#else
    return ::fsync(fd) == 0 ? 0 : errno;
#endif
}

} // namespace

struct TReplacingFile::Temporary : TemporaryFile {};

void ReplaceFile(const fs::path& path, std::string_view bytes, FileSync sync) {
    TReplacingFile file(path, sync);
    file.Write(bytes);
    file.Commit();
}

TReplacingFile::TReplacingFile(const fs::path& path, FileSync sync)
    : fPath(path), fSync(sync), fTemp(std::make_unique<Temporary>()) {
    OutputTarget target;
    std::string problem;
    if (!ResolveOutputTarget(path, target, problem)) Fail(path, problem);
    fTarget = target.file;
    fExists = target.exists;
    fDirect = target.nullDevice;
    if (fDirect) {
        FileSink device;
        if (!device.open(fTarget, FileSink::Mode::Existing)) Fail(path, device.error());
            // The descriptor is kept past the sink, which would close it.
#ifdef _WIN32
        fDevice = ::_dup(device.descriptor());
#else
        fDevice = ::dup(device.descriptor());
#endif
        if (fDevice < 0) Fail(path, errno);
        fOpen = true;
        return;
    }
    switch (fTemp->open(fTarget)) {
    case TemporaryFile::Result::Open:
        fOpen = true;
        return;
    case TemporaryFile::Result::Busy:
        Fail(path, "another run" +
                       (fTemp->holder() > 0 ? " (process " + std::to_string(fTemp->holder()) + ")"
                                            : std::string()) +
                       " is writing it");
    case TemporaryFile::Result::Failed:
        break;
    }
    Fail(path, fTemp->error());
}

TReplacingFile::~TReplacingFile() {
    fTemp->discard(); // nothing when committed
    if (fDevice >= 0) {
#ifdef _WIN32
        ::_close(fDevice);
#else
        ::close(fDevice);
#endif
    }
}

void TReplacingFile::Flush() {
    if (fBuffer.empty()) return;
    const int error = WriteAll(fDirect ? fDevice : fTemp->descriptor(), fBuffer);
    fBuffer.clear();
    if (error) {
        fOpen = false;
        fTemp->discard();
        Fail(fPath, error);
    }
}

void TReplacingFile::Write(std::string_view bytes) {
    if (!fOpen) Fail(fPath, EBADF);
    fBuffer += bytes;
    if (fBuffer.size() >= kPiece) Flush();
}

void TReplacingFile::ReadBack(const std::function<void(std::string_view line)>& take) {
    if (!fOpen) Fail(fPath, EBADF);
    Flush();
    fOpen = false;
    if (fDirect) Fail(fPath, "the null device cannot be read back");
    std::FILE* in = OpenFile(fTemp->path(), "rb");
    if (!in) Fail(fPath, errno ? errno : EIO);
    std::string line;
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
        for (std::size_t i = 0; i < n; ++i) {
            if (buffer[i] != '\n') {
                line += buffer[i];
                continue;
            }
            take(line);
            line.clear();
        }
    }
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) Fail(fPath, EIO);
    if (!line.empty()) take(line);
}

void TReplacingFile::Commit() {
    if (!fOpen) Fail(fPath, EBADF);
    Flush();
    fOpen = false;
    if (fDirect) return;
    if (fSync == FileSync::Disk) {
        if (const int error = SyncToDisk(fTemp->descriptor())) {
            fTemp->discard();
            Fail(fPath, error);
        }
    }
    if (fExists) {
        std::error_code ec;
        fs::permissions(fTemp->path(), fs::status(fTarget, ec).permissions(), ec);
        // The permissions are a courtesy; the content is what counts.
    }
    if (!fTemp->replace(fTarget)) Fail(fPath, fTemp->error());
}

} // namespace dorvek
