#!/usr/bin/env bash
# Cross-builds the kernel library DORVEK2021_DLL.dll, dorvek-run.exe and their tests for
# 64-bit Windows with MinGW-w64, into build-windows/.
#   --test  also checks the library's export table, runs the kernel and command-line tests
#           under Wine, and runs every example under Wine and with the Linux build, comparing
#           the reports and plot files (the date, time and path lines aside).
# Packages: scripts/install-deps.sh --windows.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

run_tests=0
for arg in "$@"; do
  case "$arg" in
    --test) run_tests=1 ;;
    *) echo "windows-build.sh: unknown option $arg (known: --test)" >&2; exit 2 ;;
  esac
done

mingw=x86_64-w64-mingw32
for tool in $mingw-g++-posix $mingw-objdump cmake ninja; do
  command -v "$tool" >/dev/null || { echo "windows-build.sh: $tool is missing; run scripts/install-deps.sh --windows" >&2; exit 1; }
done
[ -f /usr/src/googletest/CMakeLists.txt ] || { echo "windows-build.sh: /usr/src/googletest is missing; run scripts/install-deps.sh --windows" >&2; exit 1; }

out=$root/build-windows
deps=$out/deps
toolchain=$root/cmake/mingw-w64.cmake
mkdir -p "$out"
# ccache speeds up repeated builds when it is there; the build does not need it.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# GoogleTest for the target, from Debian's source package; CLI11 and Boost are header-only and
# are staged beside it so that nothing from the build machine's /usr/include is searched.
if [ ! -f "$deps/.gtest-done" ]; then
  cmake -S /usr/src/googletest -B "$out/googletest" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$deps" \
    -Dgtest_disable_pthreads=OFF "${launcher[@]}" >/dev/null
  cmake --build "$out/googletest"
  cmake --install "$out/googletest" >/dev/null
  touch "$deps/.gtest-done"
fi
mkdir -p "$deps/include" "$deps/share/cmake"
rm -rf "$deps/include/CLI" "$deps/share/cmake/CLI11"
cp -r /usr/include/CLI "$deps/include/CLI"
cp -r /usr/share/cmake/CLI11 "$deps/share/cmake/CLI11"
# Boost.Math is header-only too (the statistics of a study).
ln -sfn /usr/include/boost "$deps/include/boost"

cmake -S . -B "$out/dorvek" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DDORVEK_WINDOWS_DEPS="$deps" \
  -DDORVEK_BUILD_QT=OFF -DDORVEK_BUILD_BENCH=OFF -DDORVEK_BUILD_MODEL_TESTS=OFF "${launcher[@]}" >/dev/null
# Only the library, the runner and the tests run here: the front end's other models are left.
targets=(DORVEK2021_DLL dorvek-run)
while read -r target; do targets+=("$target"); done < <(
  ninja -C "$out/dorvek" -t targets all | sed -n 's/^tests\/\(\(kernel\|cli\)_[A-Za-z0-9]*\)\.exe:.*/\1/p')
cmake --build "$out/dorvek" --target "${targets[@]}"
bin=$out/dorvek/bin
echo "Built: $bin/DORVEK2021_DLL.dll $bin/dorvek-run.exe"

[ "$run_tests" -eq 1 ] || exit 0

# The library exports IDORVEK and nothing else.
exports=$($mingw-objdump -p "$bin/DORVEK2021_DLL.dll" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed 1d | sed '/^$/d')
echo "Export table of DORVEK2021_DLL.dll:"
echo "$exports"
if [ "$(echo "$exports" | awk '{print $NF}')" != "IDORVEK" ]; then
  echo "windows-build.sh: DORVEK2021_DLL.dll must export exactly IDORVEK" >&2
  exit 1
fi

# Wine without a display, in a prefix of its own; one wine server serves every test.
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "windows-build.sh: wine64 is missing; run scripts/install-deps.sh --windows" >&2; exit 1; }
wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || wineserver=/usr/lib/wine/wineserver64
export WINEPREFIX=$out/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# The server is kept alive and the prefix booted with the output discarded: otherwise the
# background processes Wine starts hold the first test's output pipe open and ctest waits.
"$wineserver" -p 60 >/dev/null 2>&1 || true
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
"$wine" wineboot --init >/dev/null 2>&1 || true

# A test is tried a second time only after a failure: on a freshly made prefix Wine now and
# then fails to start a process at all; a real fault fails both times.
(cd "$out/dorvek" && ctest -L 'kernel|cli' -j2 --output-on-failure --repeat until-pass:2)

# Every example under Wine and with the Linux build, in two folders of the same inputs.
linux_build=${DORVEK_LINUX_BUILD:-$root/build}
if [ ! -f "$linux_build/build.ninja" ]; then
  linux_build=$out/linux
  cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDORVEK_BUILD_QT=OFF \
    -DDORVEK_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$linux_build" --target dorvek-run >/dev/null
compare=$out/compare
rm -rf "$compare"
mkdir -p "$compare/linux" "$compare/windows"
cp examples/*.dv4d "$compare/linux/"
cp examples/*.dv4d "$compare/windows/"

# The lines that depend on the machine and the moment: the folder and the date and time.
machine_lines='^ *(Path to file locations|Date: )'
failed=0
count=0
for input in "$compare/linux/"*.dv4d; do
  name=$(basename "$input" .dv4d)
  "$linux_build/bin/dorvek-run" -q "$input" >/dev/null || true
  (cd "$compare/windows" && "$wine" "$bin/dorvek-run.exe" -q "$name.dv4d" >/dev/null) || true
  for ext in dv4o dv4p; do
    a=$compare/linux/$name.$ext
    b=$compare/windows/$name.$ext
    if [ ! -f "$a" ] || [ ! -f "$b" ]; then
      echo "DIFFERENT $name.$ext: missing on one side"; failed=1; continue
    fi
    if ! diff <(grep -Ev "$machine_lines" "$a") <(grep -Ev "$machine_lines" "$b") >"$compare/$name.$ext.diff"; then
      echo "DIFFERENT $name.$ext (see $compare/$name.$ext.diff)"; failed=1
    elif [ "$(grep -cE "$machine_lines" "$a")" != "$(grep -cE "$machine_lines" "$b")" ]; then
      echo "DIFFERENT $name.$ext: date or path lines"; failed=1
    fi
  done
  count=$((count + 1))
done
if [ "$failed" -ne 0 ]; then
  echo "windows-build.sh: the Windows build's results differ from the Linux build's" >&2
  exit 1
fi
echo "$count examples: reports and plot files identical on Windows (Wine) and Linux, date, time and path lines aside."
