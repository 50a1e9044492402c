#!/usr/bin/env bash
# Checks that includes run one way: kernel <- model <- {cli, gui, python}, and inside gui
# common <- tables <- plots <- app. Prints each wrong-way include; non-zero exit if any.
# Run from anywhere: scripts/check-layers.sh [SOURCE_ROOT]
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2
bad=0
# check FOLDER ALLOWED-PREFIX-REGEX: every quoted include of FOLDER's files must match.
check() {
  local folder=$1 allowed=$2
  while IFS= read -r hit; do
    echo "wrong-way include: $hit"
    bad=1
  done < <(grep -rnE '^\s*#\s*include\s+"' "$folder" --include='*.cpp' --include='*.h' |
           grep -vE "#\s*include\s+\"($allowed)" | grep -vE '\.moc"')
}
check kernel 'kernel/'
check model 'kernel/|model/'
check gui/common 'kernel/|model/|gui/common/'
check gui/tables 'kernel/|model/|gui/common/|gui/tables/'
check gui/plots 'kernel/|model/|gui/common/|gui/tables/|gui/plots/'
check gui/app 'kernel/|model/|gui/'
check cli 'kernel/|model/|cli/|gui/plots/'
check fuzz 'kernel/|model/|fuzz/'
# The Python module takes the command line's study forms and its pool, nothing else of it.
check python 'kernel/|model/|python/|cli/(Study|Variants|OrderedPool)\.h'
# Neither the kernel nor the models see Qt.
while IFS= read -r hit; do
  echo "Qt in a Qt-free layer: $hit"
  bad=1
done < <(grep -rnE '^\s*#\s*include\s+<Q' kernel model python --include='*.cpp' --include='*.h')
# The command line reaches gui/ only through its picture outputs.
while IFS= read -r hit; do
  echo "command line reaching gui/ outside the picture outputs: $hit"
  bad=1
done < <(grep -rlE '#\s*include\s+"gui/' cli --include='*.cpp' --include='*.h' |
         grep -vE 'cli/(GraphPicturesOutput|ProfileOutput|OffscreenGui|Pictures[A-Za-z]*)\.(cpp|h)$')
[ $bad -eq 0 ] && echo "includes run one way"
exit $bad
