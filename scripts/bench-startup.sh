#!/usr/bin/env bash
# The whole-process CPU time of dorvek-run analysing one project (the bundled example, no
# outputs but its report and plot file) and of dorvek-run --help: the median, least and most
# of RUNS runs each, from the shell's own timing of the child process (1 ms resolution; the
# 10 ms of /usr/bin/time cannot tell the figures apart).
#   scripts/bench-startup.sh [RUNS]   (default 20)
# Needs the Release build of ./run.sh or ./test.sh (build/bin/dorvek-run).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

runs=${1:-20}
run=$root/build/bin/dorvek-run
[ -x "$run" ] || { echo "bench-startup.sh: $run is missing; build with ./run.sh first" >&2; exit 1; }
case "$runs" in ''|*[!0-9]*) echo "usage: scripts/bench-startup.sh [RUNS]" >&2; exit 2 ;; esac

work=$(mktemp -d "${TMPDIR:-/tmp}/dorvek-startup-XXXXXX")
trap 'rm -rf "$work"' EXIT
cp examples/driven-pile-clay-over-sand.dv4d "$work/pile.dv4d"

# User plus system CPU in milliseconds of one run of the given command.
cpu() {
  local TIMEFORMAT='%3U %3S'
  { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{printf "%.0f\n", ($1 + $2) * 1000}'
}

report() {
  local label=$1
  shift
  local times=""
  "$@" >/dev/null 2>&1 # the files in the page cache, the outputs there to be replaced
  for _ in $(seq "$runs"); do times+="$(cpu "$@")"$'\n'; done
  printf '%s' "$times" | sort -n | awk -v label="$label" -v n="$runs" '
    {v[NR] = $1}
    END {median = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
         printf "%-28s median %.1f ms CPU, least %d ms, most %d ms (%d runs)\n", label, median, v[1], v[NR], n}'
}

report "dorvek-run -q pile.dv4d" "$run" -q "$work/pile.dv4d"
report "dorvek-run --help" "$run" --help
