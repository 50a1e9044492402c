#pragma once
// An unbuffered stream buffer on a file descriptor that keeps the system's reason of the
// first failed write. The report and plot writers hand it large pieces (FixedWriter holds
// its lines), so each piece is one system call and a full disk is told apart from any other
// failure ("No space left on device").

#include <cstdint>
#include <filesystem>
#include <streambuf>
#include <string>

namespace dorvek {

// The system's text for an error number (errno), e.g. "No space left on device".
std::string SystemReason(int error);

class FileSink : public std::streambuf {
public:
    enum class Mode {
        CreateNew, // a new file, refused when the name exists (not even a link is followed)
        Existing,  // an existing file or device, opened for writing without cutting it
    };

    FileSink() = default;
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    // False with error() set when the file could not be opened.
    bool open(const std::filesystem::path& path, Mode mode);
    // Writes to a descriptor someone else opened and closes.
    void attach(int fd);
    bool isOpen() const { return fd_ >= 0; }
    // False with error() set when closing failed or a write had failed before. An attached
    // descriptor is only let go.
    bool close();

    int descriptor() const { return fd_; }
    int error() const { return error_; }               // errno of the first failure, 0 if none
    std::uint64_t written() const { return written_; } // bytes that reached the file

protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int_type overflow(int_type c) override;

private:
    int fd_ = -1;
    bool owned_ = false;
    int error_ = 0;
    std::uint64_t written_ = 0;
};

} // namespace dorvek
