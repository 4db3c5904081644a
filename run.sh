#!/usr/bin/env bash
# Builds the programs and starts one of them:
#   ./run.sh [panelwright|tallyboard|shapescope|tintpad]   (panelwright when none is named)
#   ./run.sh panelwright --canvas WxH                      (the designer for a W by H panel)
#   ./run.sh panelpeek [FILE]                              (the preview of FILE, gui.txt by default)
# It builds in the checkout (build/run, or KIOSK_RUN_BUILD) and runs the program
# in the folder it was called from, where the designer saves gui.txt.
set -euo pipefail

usage() {
  echo "usage: ./run.sh [panelwright|tallyboard|shapescope|tintpad]" >&2
  echo "       ./run.sh panelwright --canvas WxH" >&2
  echo "       ./run.sh panelpeek [FILE]" >&2
  exit 2
}

program=${1:-panelwright}
arguments=()
case $program in
  panelwright)
    (($# <= 1)) || { (($# == 3)) && [[ $2 == --canvas ]]; } || usage
    (($# < 3)) || arguments=("$2" "$3")
    ;;
  tallyboard | shapescope | tintpad)
    (($# <= 1)) || usage
    ;;
  panelpeek)
    (($# <= 2)) || usage
    (($# < 2)) || arguments=("$2")
    ;;
  *) usage ;;
esac
caller=$PWD
cd "$(dirname "$0")"

source scripts/packages.sh
ensure_packages "${run_packages[@]}"

build=$(realpath -m "${KIOSK_RUN_BUILD:-build/run}")
if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
fi
# A failed build stops here (pipefail) rather than starting an older binary.
cmake --build "$build" --target "$program" | { grep -v -e '^ninja: no work to do' -e 'Re-checking globbed directories' || true; }

if [[ -z ${DISPLAY:-} ]]; then
  case $program in
    panelwright) size=710x640 ;;
    *) size=400x600 ;;
  esac
  # The designer's window: the canvas plus 310 across, by at least 640.
  if [[ $program == panelwright && ${3:-} =~ ^([0-9]+)x([0-9]+)$ ]]; then
    size=$((10#${BASH_REMATCH[1]} + 310))x$((10#${BASH_REMATCH[2]} + 40 > 640 ? 10#${BASH_REMATCH[2]} + 40 : 640))
  fi
  echo "$program: no display to open (DISPLAY is not set); to run it headless: xvfb-run -s '-screen 0 ${size}x24' ./run.sh $program${2:+ ${*:2}}" >&2
  exit 1
fi
cd "$caller"
exec "$build/bin/$program" "${arguments[@]}"
