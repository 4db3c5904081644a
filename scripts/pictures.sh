#!/usr/bin/env bash
# Draws the pictures in docs/ anew with the real programs on Xvfb, and saves
# examples/layout/gui.txt anew with the designer. The suite fails when either
# differs from what the programs draw and save.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/packages.sh
ensure_packages "${test_packages[@]}"
unset DISPLAY

build=build/test
if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DKIOSK_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# The layout example is compiled from gui.txt, so once the designer has saved
# it anew the example is built and drawn once more.
for pass in first second; do
  echo "== pictures, $pass pass"
  cmake --build "$build" --target docs_pictures_tests
  KIOSKTK_WRITE_PICTURES=1 "$build/bin/docs_pictures_tests" --gtest_brief=1
done
git status --short docs examples/layout 2>/dev/null || true
