#!/usr/bin/env bash
# Analyses per second of the bundled examples through dorvek-run with -j 1 and -j 2: COPIES
# copies of each example in a temporary folder, analysed ROUNDS times with each -j after one
# round that creates the outputs (later rounds replace them, as repeated studies do). Prints
# the median rate of each -j and the median ratio of the two within a round.
#   scripts/bench-batch.sh [COPIES] [ROUNDS]   (defaults 250 and 5; TMPDIR picks the disk)
# Needs the Release build of ./run.sh or ./test.sh (build/bin/dorvek-run).
set -euo pipefail
cd "$(dirname "$0")/.."

copies=${1:-250}
rounds=${2:-5}
run=build/bin/dorvek-run
[ -x "$run" ] || { echo "bench-batch.sh: $run is missing; build with ./run.sh first" >&2; exit 1; }
case "$copies$rounds" in *[!0-9]*) echo "usage: scripts/bench-batch.sh [COPIES] [ROUNDS]" >&2; exit 2 ;; esac

work=$(mktemp -d "${TMPDIR:-/tmp}/dorvek-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
for example in examples/*.dv4d; do
  name=$(basename "$example" .dv4d)
  for i in $(seq "$copies"); do cp "$example" "$work/$name-$i.dv4d"; done
done
files=("$work"/*.dv4d)
count=${#files[@]}

# Nanoseconds of one run of all files with -j $1.
seconds() {
  local start end
  start=$(date +%s%N)
  "$run" -q -j "$1" "${files[@]}" >/dev/null
  end=$(date +%s%N)
  echo $((end - start))
}

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

seconds 2 >/dev/null
# -j 1 and -j 2 back to back in each round: the machine's speed drifts between rounds, so the
# ratio is taken within a round and its median reported.
ones="" twos="" ratios=""
for round in $(seq "$rounds"); do
  t1=$(seconds 1)
  t2=$(seconds 2)
  [ -n "${BENCH_VERBOSE:-}" ] && echo "  round $round: -j 1 $((t1 / 1000000)) ms, -j 2 $((t2 / 1000000)) ms" >&2
  ones+="$(awk -v n="$count" -v t="$t1" 'BEGIN {print n / (t / 1e9)}')"$'\n'
  twos+="$(awk -v n="$count" -v t="$t2" 'BEGIN {print n / (t / 1e9)}')"$'\n'
  ratios+="$(awk -v a="$t1" -v b="$t2" 'BEGIN {print a / b}')"$'\n'
done
printf '%d analyses a run (%d examples x %d), medians of %d rounds:\n' "$count" \
  $((count / copies)) "$copies" "$rounds"
printf '  -j 1: %.0f analyses/s\n  -j 2: %.0f analyses/s\n  -j 2 / -j 1 within a round: %.2f\n' \
  "$(printf '%s' "$ones" | median)" "$(printf '%s' "$twos" | median)" \
  "$(printf '%s' "$ratios" | median)"
