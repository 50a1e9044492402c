#!/usr/bin/env bash
# Sanitizer builds of the tests, as CI runs them:
#  - every test (kernel, command line, models, windows offscreen) built with AddressSanitizer and
#    UndefinedBehaviorSanitizer into build-sanitize/ and run by ctest;
#  - the test of analyses in parallel threads built with ThreadSanitizer into build-tsan/.
# Non-zero exit on any report.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDORVEK_SANITIZE=address,undefined -DDORVEK_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-sanitize
(
  cd build-sanitize
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/../scripts/sanitize.supp:print_suppressions=0
  QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure
)

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDORVEK_SANITIZE=thread \
  -DDORVEK_BUILD_QT=OFF -DDORVEK_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-tsan --target kernel_RunDriver cli_ConcurrentRuns
export TSAN_OPTIONS=halt_on_error=1
build-tsan/tests/kernel_RunDriver --gtest_filter='RunDriver.Parallel*'
build-tsan/tests/cli_ConcurrentRuns
