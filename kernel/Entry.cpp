// The library's only export. Nothing may escape it: the host is a GUI that loads the
// library for one run and must survive any failure inside.

#include "kernel/Kernel.h"

#if defined(_WIN32)
#define DORVEK_EXPORT __declspec(dllexport)
#else
#define DORVEK_EXPORT __attribute__((visibility("default")))
#endif

extern "C" DORVEK_EXPORT int IDORVEK(int a, int b) noexcept {
    (void)b; // the host passes 4; it has no meaning
    if (a != 4) return dorvek::kNotCalledForRun;
    try {
        return dorvek::RunFromNamesFile("names.dat");
    } catch (...) {
        return dorvek::kInternalError;
    }
}
