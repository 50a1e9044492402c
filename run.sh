#!/usr/bin/env bash
# Builds what the main job needs (the kernel library, dorvek-run and the desktop program;
# ./test.sh builds everything else), then:
#   ./run.sh                 analyses the bundled example and prints its load-settlement summary
#   ./run.sh FILE.dv4d ...   analyses the given projects
#   ./run.sh gui [FILE]      starts the desktop program
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target DORVEK2021_DLL dorvek-run DORVEK2021 >/dev/null

case "${1:-}" in
gui)
    shift
    exec build/bin/DORVEK2021 "$@"
    ;;
"")
    # The example is analysed in a copy, so the repository stays clean.
    work="$here/build/example-run"
    mkdir -p "$work"
    cp examples/driven-pile-clay-over-sand.dv4d "$work/"
    exec build/bin/dorvek-run --summary "$work/driven-pile-clay-over-sand.dv4d"
    ;;
*)
    exec build/bin/dorvek-run "$@"
    ;;
esac
