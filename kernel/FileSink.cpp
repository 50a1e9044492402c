#include "kernel/FileSink.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace dorvek {

std::string SystemReason(int error) {
    return std::error_code(error, std::generic_category()).message();
}

FileSink::~FileSink() {
    close();
}

bool FileSink::open(const std::filesystem::path& path, Mode mode) {
    close();
    error_ = 0;
    written_ = 0;
#ifdef _WIN32
    const int flags =
        _O_WRONLY | _O_BINARY | _O_NOINHERIT | (mode == Mode::CreateNew ? _O_CREAT | _O_EXCL : 0);
    fd_ = ::_wopen(path.c_str(), flags, _S_IREAD | _S_IWRITE);
#else
    // Non-blocking open: a pipe without a reader is refused instead of waiting for one.
    const int flags = O_WRONLY | O_CLOEXEC | O_NONBLOCK |
                      (mode == Mode::CreateNew ? O_CREAT | O_EXCL | O_NOFOLLOW : 0);
    do {
        fd_ = ::open(path.c_str(), flags, 0666);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ >= 0) {
        // Writes block as usual: a full disk must fail, not return "try again".
        const int status = ::fcntl(fd_, F_GETFL);
        if (status != -1) ::fcntl(fd_, F_SETFL, status & ~O_NONBLOCK);
    }
#endif
    if (fd_ < 0) {
        error_ = errno ? errno : EIO;
        return false;
    }
    owned_ = true;
    return true;
}

void FileSink::attach(int fd) {
    close();
    error_ = 0;
    written_ = 0;
    fd_ = fd;
    owned_ = false;
}

bool FileSink::close() {
    if (fd_ < 0) return error_ == 0;
    if (!owned_) {
        fd_ = -1;
        return error_ == 0;
    }
#ifdef _WIN32
    const int result = ::_close(fd_);
#else
    // Linux closes the descriptor even when close() reports an error: never retried.
    const int result = ::close(fd_);
#endif
    if (result != 0 && error_ == 0) error_ = errno ? errno : EIO;
    fd_ = -1;
    owned_ = false;
    return error_ == 0;
}

std::streamsize FileSink::xsputn(const char* text, std::streamsize count) {
    if (fd_ < 0 || error_ != 0) return 0;
    std::streamsize done = 0;
    while (done < count) {
        const std::streamsize left = count - done;
#ifdef _WIN32
        const unsigned piece = static_cast<unsigned>(left < (1 << 30) ? left : (1 << 30));
        const int n = ::_write(fd_, text + done, piece);
#else
        const auto n = ::write(fd_, text + done, static_cast<std::size_t>(left));
#endif
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno ? errno : EIO;
            break;
        }
        if (n == 0) { // nothing taken and no reason given: treat as a device that is full
            error_ = ENOSPC;
            break;
        }
        done += n;
        written_ += static_cast<std::uint64_t>(n);
    }
    return done;
}

FileSink::int_type FileSink::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
}

} // namespace dorvek
