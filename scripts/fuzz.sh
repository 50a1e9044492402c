#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and UndefinedBehavior-
# Sanitizer on) into build-fuzz/ and runs each for SECONDS (default 30) from its checked-in
# seeds, regression inputs and dictionary. Findings go to build-fuzz/findings/<target>/; the
# exit status is non-zero when any target found one.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
scripts/install-deps.sh --fuzz

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDORVEK_FUZZ=ON -DDORVEK_SANITIZE=address,undefined \
  -DDORVEK_BUILD_QT=OFF -DDORVEK_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz --target fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_kernel fuzz_project_dv4d fuzz_project_dv3d fuzz_project_dvd fuzz_plotdata
           fuzz_graphsettings fuzz_colstream fuzz_tabletext fuzz_wordread fuzz_evaluator
           fuzz_fields fuzz_measured)
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  corpus=build-fuzz/corpus/$name
  findings=build-fuzz/findings/$name
  mkdir -p "$corpus" "$findings"
  inputs=("$corpus" fuzz/corpus/"$name")
  if [ -d fuzz/regressions/"$name" ]; then inputs+=(fuzz/regressions/"$name"); fi
  dict=()
  if [ -f fuzz/dict/"$name".dict ]; then dict=(-dict=fuzz/dict/"$name".dict); fi
  echo "== $t: ${seconds}s"
  # The timeout catches hangs; one input of the largest size a project holds runs well below it.
  if ! build-fuzz/fuzz/"$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
       -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" "${dict[@]}" \
       "${inputs[@]}" >"build-fuzz/$name.log" 2>&1; then
    failed+=("$t")
    tail -n 40 "build-fuzz/$name.log"
  fi
  grep -E "^stat::number_of_executed_units|^Done|^#[0-9]+.*DONE" "build-fuzz/$name.log" | tail -n 2 || true
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in build-fuzz/findings/)"
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets clean"
