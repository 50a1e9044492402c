#include "cli/OutputPlugins.h"

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace dorvek::cli {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr const char* kSuffix = ".dll";

fs::path ProgramFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0) return {};
        if (n < name.size()) return fs::path(name.substr(0, n)).parent_path();
        name.resize(2 * name.size());
    }
}

// The entry, or null with the system's message in `why`.
void* Entry(const fs::path& library, const char* entry, std::string& why) {
    HMODULE module = LoadLibraryW(library.wstring().c_str());
    if (!module) {
        why = "error " + std::to_string(GetLastError());
        return nullptr;
    }
    void* found = reinterpret_cast<void*>(GetProcAddress(module, entry));
    if (!found) why = std::string("no ") + entry;
    return found;
}
#else
constexpr const char* kSuffix = ".so";

fs::path ProgramFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

void* Entry(const fs::path& library, const char* entry, std::string& why) {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        why = error ? error : "not loaded";
        return nullptr;
    }
    void* found = dlsym(handle, entry);
    if (!found) why = std::string("no ") + entry;
    return found;
}
#endif

template <class Table>
const Table* Load(const char* name, const char* entry, const char* option, std::ostream& err) {
    const fs::path library = ProgramFolder() / (std::string(name) + kSuffix);
    std::string why;
    void* found = Entry(library, entry, why);
    const Table* table = nullptr;
    if (found) {
        table = reinterpret_cast<const Table* (*)()>(found)();
        if (!table || table->version != kOutputPluginVersion) {
            why = "of another version than the program";
            table = nullptr;
        }
    }
    if (!table)
        err << "dorvek-run: " << option << ": the output library " << library.string()
            << " could not be loaded (" << why << ")\n";
    return table;
}

} // namespace

const PicturesPlugin* LoadPicturesPlugin(const char* option, std::ostream& err) {
    return Load<PicturesPlugin>(kPicturesPlugin, kPicturesEntry, option, err);
}

const WorkbookPlugin* LoadWorkbookPlugin(const char* option, std::ostream& err) {
    return Load<WorkbookPlugin>(kWorkbookPlugin, kWorkbookEntry, option, err);
}

const CalibrationPlugin* LoadCalibrationPlugin(const char* option, std::ostream& err) {
    return Load<CalibrationPlugin>(kCalibrationPlugin, kCalibrationEntry, option, err);
}

} // namespace dorvek::cli
