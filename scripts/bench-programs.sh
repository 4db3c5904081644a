#!/usr/bin/env bash
# The program benchmark: the designer and the calculator under Xvfb on the
# system's SDL 1.2 and on sdl12-compat, each in the toolkit's default mode and
# opted in to presentation per event and sleeping; then the idle cost of every
# program, and a live panel's timer and watched pipe. Prints per-action time
# and presentations, idle CPU, wake-ups and peak memory with their ratios, and
# the targets met or missed (exit status 1 on a miss).
# Numbers depend on the machine and on what else runs on it.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/packages.sh
INCLUDE_OPTIONAL=1 ensure_packages "${test_packages[@]}"
unset DISPLAY

build=build/bench
if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target program_bench | tail -n 1
"$build/bin/program_bench"
