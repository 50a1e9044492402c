#include "gui/app/dynlib.h"

#include "gui/common/Messages.h"

#include <QDir>
#include <QFileInfo>

namespace dorvek {

TDynamicLibrary::TDynamicLibrary(const std::string& fileName, TMessages& messages)
    : fFileName(fileName), fMessages(messages) {}

TDynamicLibrary::~TDynamicLibrary() {
    Close();
}

void TDynamicLibrary::SetFileName(const std::string& fileName) {
    Close();
    fFileName = fileName;
}

void TDynamicLibrary::Open() {
    if (GetIsOpen()) return;
    const QString name = QString::fromStdString(fFileName);
    if (!QFileInfo(name).isFile()) throw EFileNotFoundError();
    auto library = std::make_unique<QLibrary>(name);
    // Every symbol is resolved at load time, so that a broken library fails here rather than
    // at its first call.
    library->setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library->load()) {
        const QString reason = library->errorString();
        if (reason.contains(QStringLiteral("undefined symbol"))) throw EInitError();
        fMessages.Information("Error Loading Library, error code = " + reason.toStdString());
        return;
    }
    fLibrary = std::move(library);
}

void* TDynamicLibrary::FindProcedure(const std::string& name) {
    if (!GetIsOpen()) throw EDLLNotOpenError();
    QFunctionPointer f = fLibrary->resolve(name.c_str());
    if (!f) {
        fMessages.Information("Error Getting Function, error code = " +
                              fLibrary->errorString().toStdString());
        return nullptr;
    }
    return reinterpret_cast<void*>(f);
}

void TDynamicLibrary::Close() {
    if (fLibrary) {
        fLibrary->unload();
        fLibrary.reset();
    }
}

bool TDynamicLibrary::GetIsOpen() const {
    return fLibrary && fLibrary->isLoaded();
}

std::string KernelLibraryPath(const std::string& folder) {
#ifdef _WIN32
    const char* file = "DORVEK2021_DLL.DLL";
#elif defined(__APPLE__)
    const char* file = "libDORVEK2021_DLL.dylib";
#else
    const char* file = "libDORVEK2021_DLL.so";
#endif
    return QDir(QString::fromStdString(folder)).filePath(QString::fromLatin1(file)).toStdString();
}

} // namespace dorvek
