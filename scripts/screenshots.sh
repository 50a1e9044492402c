#!/usr/bin/env bash
# Pictures of the program's windows for the user's manual, made by the program itself.
#   scripts/screenshots.sh OUTDIR [BINDIR]
# BINDIR holds DORVEK2021, dorvek-run and the picture tools (default: build/bin). With QT_QPA_PLATFORM
# set (the build sets "offscreen") the pictures are drawn without a display; otherwise they
# are taken on a virtual X display under xvfb-run, as a user would see them.
set -euo pipefail

out=${1:?usage: scripts/screenshots.sh OUTDIR [BINDIR]}
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${2:-$here/build/bin}" && pwd)
example=$here/examples/driven-pile-clay-over-sand.dv4d
mkdir -p "$out"

take() {
  if [ -n "${QT_QPA_PLATFORM:-}" ]; then
    "$@"
  else
    command -v xvfb-run >/dev/null || { echo "screenshots.sh: xvfb-run is missing (scripts/install-deps.sh)" >&2; exit 1; }
    xvfb-run -a -s "-screen 0 1400x1000x24" "$@"
  fi
}

# The program works on a copy, so the example stays as it is.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$example" "$work/"
# Analysed first, so the window shows a project with results; its result graphs are drawn
# into OUTDIR/graphs by the program's own renderer.
"$bin/dorvek-run" -q --graphs "$out/graphs" "$work/$(basename "$example")" >/dev/null 2>&1 ||
  { echo "screenshots.sh: the example did not run" >&2; exit 1; }
# Its settings (options, recent files) are kept in the scratch folder: the pictures do not
# depend on the user's settings, nor do they add the scratch project to the user's recent files.
(cd "$work" && XDG_CONFIG_HOME="$work/config" take "$bin/DORVEK2021" --screenshot "$out/main.png" "$work/$(basename "$example")") >/dev/null 2>&1
take "$bin/dorvek_dialog_screens" "$out" >/dev/null 2>&1
# A plot window and the soil profile of the example; with the plot window's menu, its page
# setup and picture dialogs and the export dialog over the results.
(cd "$work" && take "$bin/dorvek_plot_screens" "$work/$(basename "$example")" "$out/plot") >/dev/null 2>&1
mkdir -p "$out/profile"
take "$bin/dorvek_profile_screens" "$out/profile" "$work/$(basename "$example")" >/dev/null 2>&1
take "$bin/dorvek_table_screens" "$out" >/dev/null 2>&1
# The Morganza load test: the measured curve over the computed one with the capacities, from
# the command line and in the program, and a calibration of the side and tip factors.
loadtest=$here/examples/load-test
mkdir -p "$work/loadtest" "$out/loadtest"
cp "$loadtest/morganza-api.dv4d" "$loadtest/morganza-measured.csv" "$work/loadtest/"
"$bin/dorvek-run" -q --graphs "$out/loadtest/overlay" \
  --measured "$work/loadtest/morganza-measured.csv" "$work/loadtest/morganza-api.dv4d" \
  >/dev/null 2>&1 ||
  { echo "screenshots.sh: the load test did not run" >&2; exit 1; }
"$bin/dorvek-run" -q --calibrate side-factor,tip-factor \
  --measured "$work/loadtest/morganza-measured.csv" "$work/loadtest/morganza-api.dv4d" \
  >"$out/loadtest/calibrate.txt" 2>/dev/null ||
  { echo "screenshots.sh: the calibration did not run" >&2; exit 1; }
"$bin/dorvek-run" -q --no-run --graphs "$out/loadtest/calibrated" \
  "$work/loadtest/morganza-api-calibrated.dv4d" >/dev/null 2>&1
# In the program: the project keeps its measured curve in its side file.
cp "$work/loadtest/morganza-api.dv4d" "$work/loadtest/morganza.dv4d"
cp "$work/loadtest/morganza-api-calibrated.dv4m" "$work/loadtest/morganza.dv4m"
(cd "$work/loadtest" && XDG_CONFIG_HOME="$work/config" take "$bin/dorvek_loadtest_screens" \
  "$work/loadtest/morganza.dv4d" "$out/loadtest") >/dev/null 2>&1
for f in main.png main-work.png main-report.png main-toolbar.png main-icons.png title.png pile-properties.png soil-layers.png \
  ae-table.png qw-curve.png settlement.png graphs/Load_Distribution.png \
  graphs/Axial_Load_vs_Settlement.png plot/axial.png plot/menu.png plot/page-setup.png \
  plot/save-attributes.png plot/export.png \
  profile/driven-pile-clay-over-sand-window.png \
  loadtest/overlay/Axial_Load_vs_Settlement_Applied_Loads.png \
  loadtest/calibrated/Axial_Load_vs_Settlement_Applied_Loads.png loadtest/loadtest-axial.png \
  loadtest/loadtest-capacities.png loadtest/loadtest-measured.png \
  loadtest/loadtest-calibrate.png; do
  [ -s "$out/$f" ] || { echo "screenshots.sh: $out/$f was not made" >&2; exit 1; }
done
