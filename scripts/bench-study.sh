#!/usr/bin/env bash
# A reliability study of the bundled example through dorvek-run, analysed in memory: VARIANTS
# variants drawn with lognormal side and tip factors, --stats with a settlement limit of 1 in
# and the --table of every result, on THREADS threads. Prints the wall and CPU time and the
# peak memory (/usr/bin/time -v), and lists the files the study left in its folder (the
# project, the two CSV files and nothing else).
#   scripts/bench-study.sh [VARIANTS] [THREADS]   (defaults 100000 and 2; TMPDIR picks the disk)
# Needs the Release build of ./run.sh or ./test.sh (build/bin/dorvek-run).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

variants=${1:-100000}
threads=${2:-2}
run=$root/build/bin/dorvek-run
[ -x "$run" ] || { echo "bench-study.sh: $run is missing; build with ./run.sh first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "bench-study.sh: /usr/bin/time is missing; run scripts/install-deps.sh" >&2; exit 1; }
case "$variants$threads" in *[!0-9]*) echo "usage: scripts/bench-study.sh [VARIANTS] [THREADS]" >&2; exit 2 ;; esac

work=$(mktemp -d "${TMPDIR:-/tmp}/dorvek-study-XXXXXX")
trap 'rm -rf "$work"' EXIT
cp examples/driven-pile-clay-over-sand.dv4d "$work/"
cd "$work"
force=()
[ "$variants" -gt 100000 ] && force=(--force)
/usr/bin/time -v -o time.txt "$run" -q -j "$threads" --sample "$variants" "${force[@]}" \
  --vary side-factor=lognormal:1:0.2 --vary tip-factor=lognormal:1:0.3 \
  --table table.csv --stats stats.csv --limit 1 driven-pile-clay-over-sand.dv4d
awk -F': ' '
  /Elapsed \(wall clock\)/ {wall = $2}
  /User time/ {user = $2}
  /System time/ {sys = $2}
  /Maximum resident set size/ {rss = $2}
  END {printf "wall %s, CPU %.2f s (user %s s, system %s s), peak memory %.1f MB\n", wall, user + sys, user, sys, rss / 1024}
' time.txt
rm time.txt
echo "files left in the study's folder:"
ls -l | sed 1d
