#pragma once
// Loads a shared library by file name and finds procedures in it. The kernel library is
// loaded through this wrapper for one run at a time.

#include <QLibrary>

#include <memory>
#include <stdexcept>
#include <string>

namespace dorvek {

class TMessages;

class EDLLError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EInitError : public EDLLError {
public:
    EInitError() : EDLLError("Library failed to properly initialize") {}
};
class EFileNotFoundError : public EDLLError {
public:
    EFileNotFoundError() : EDLLError("Library could not be located") {}
};
class EDLLNotOpenError : public EDLLError {
public:
    EDLLNotOpenError() : EDLLError("Library is not open") {}
};

class TDynamicLibrary {
public:
    // Failures that are not raised are shown through messages.
    TDynamicLibrary(const std::string& fileName, TMessages& messages);
    ~TDynamicLibrary();
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    const std::string& FileName() const { return fFileName; }
    // Closes an open library first.
    void SetFileName(const std::string& fileName);

    // Loads the library unless it is loaded. A missing file raises EFileNotFoundError, a
    // library whose symbols cannot all be resolved raises EInitError; any other failure shows
    // "Error Loading Library, error code = " with the system's reason and leaves it closed.
    void Open();
    // The address of the procedure, or nullptr after showing "Error Getting Function, error
    // code = " with the reason. A closed library raises EDLLNotOpenError.
    void* FindProcedure(const std::string& name);
    void Close();
    bool GetIsOpen() const;

private:
    std::string fFileName;
    TMessages& fMessages;
    std::unique_ptr<QLibrary> fLibrary;
};

// File name of the kernel library in a folder (the program's own folder at run time).
std::string KernelLibraryPath(const std::string& folder);

} // namespace dorvek
