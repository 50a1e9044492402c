# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix threads variant, so that
# std::thread works), tests run under Wine.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DDORVEK_BUILD_QT=OFF ...
# scripts/windows-build.sh does this, with GoogleTest built for the target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DORVEK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DORVEK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DORVEK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${DORVEK_MINGW}-windres)

# Libraries, headers and CMake packages come from the target's tree and from
# DORVEK_WINDOWS_DEPS (a prefix with GoogleTest and CLI11 for the target), never from the
# build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${DORVEK_MINGW} ${DORVEK_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthread are linked in, so the DLL and the programs need
# nothing beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine on the build machine (ctest and gtest_discover_tests use the
# emulator). Wine sees the build machine's root as drive Z:.
find_program(DORVEK_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(DORVEK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DORVEK_WINE})
  set(DORVEK_TEST_PATH_PREFIX "Z:" CACHE STRING "Prefix of the build's paths as the tests see them")
endif()
