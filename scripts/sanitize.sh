#!/usr/bin/env bash
# Sanitizer builds of the tests (CI runs both parts, one step each):
#   scripts/sanitize.sh address  every test (kernel, command line, models, windows offscreen)
#                                built with AddressSanitizer and UndefinedBehaviorSanitizer into
#                                build-sanitize/ and run by ctest;
#   scripts/sanitize.sh thread   the tests of analyses and of project table sets in parallel
#                                threads built with ThreadSanitizer into build-tsan/;
#   scripts/sanitize.sh          both.
# Non-zero exit on any report.
set -euo pipefail
cd "$(dirname "$0")/.."

part=${1:-all}
case $part in
  address | thread | all) ;;
  *)
    echo "usage: scripts/sanitize.sh [address|thread]" >&2
    exit 2
    ;;
esac
scripts/install-deps.sh

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

if [ "$part" != thread ]; then
  # -O1 and -g1 keep the instrumented build quick while the reports still name file and line;
  # no benchmarks, picture tools or manuals: only what the tests run.
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DDORVEK_SANITIZE=address,undefined \
    -DDORVEK_BUILD_BENCH=OFF -DDORVEK_BUILD_TOOLS=OFF "${launcher[@]}" >/dev/null
  cmake --build build-sanitize
  (
    cd build-sanitize
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure --no-tests=error
  )
fi

if [ "$part" != address ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDORVEK_SANITIZE=thread \
    -DDORVEK_BUILD_QT=OFF -DDORVEK_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
  cmake --build build-tsan --target kernel_RunDriver kernel_InMemoryAnalysis cli_ConcurrentRuns \
    model_TableRegistryTest
  export TSAN_OPTIONS=halt_on_error=1
  build-tsan/tests/kernel_RunDriver --gtest_filter='RunDriver.Parallel*'
  build-tsan/tests/kernel_InMemoryAnalysis --gtest_filter='InMemoryAnalysis.Parallel*'
  build-tsan/tests/cli_ConcurrentRuns
  build-tsan/tests/model_TableRegistryTest --gtest_filter='TableSets.*'
fi
