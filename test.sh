#!/usr/bin/env bash
# Installs what the tests need, builds, and runs the whole suite headless:
# once in a normal build and once with AddressSanitizer and
# UndefinedBehaviorSanitizer. Every warning is an error in both. The suite
# includes the package tests (label package): each build is installed into a
# fresh prefix inside it, and both examples are built against that, with
# find_package and with pkg-config, and run.
set -euo pipefail
cd "$(dirname "$0")"

source scripts/packages.sh
INCLUDE_OPTIONAL=1 ensure_packages "${test_packages[@]}"

# The code is formatted with clang-format 14; other versions lay out some
# constructs differently, so they are not held against it.
format_version=14
echo "== format"
if [[ $(clang-format --version) =~ version\ ${format_version}\. ]]; then
  mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.c' 2>/dev/null ||
    find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print)
  clang-format --dry-run --Werror "${sources[@]}"
else
  echo "skipped: the code follows clang-format ${format_version}, this is $(clang-format --version)"
fi

# The tests must never reach a real display.
unset DISPLAY

run_suite() {
  local name=$1
  shift
  local build=build/$name
  echo "== $name build"
  if [[ ! -f $build/build.ninja ]]; then
    cmake -S . -B "$build" -G Ninja -DKIOSK_WERROR=ON "$@" >/dev/null
  fi
  cmake --build "$build"
  echo "== $name tests"
  ctest --test-dir "$build" --output-on-failure -j2
}

run_suite test -DCMAKE_BUILD_TYPE=RelWithDebInfo
# KIOSK_SKIP_SANITIZE=1 runs the normal suite only, where time is short.
if [[ ${KIOSK_SKIP_SANITIZE:-0} == 1 ]]; then
  echo "== sanitize: skipped (KIOSK_SKIP_SANITIZE=1)"
else
  run_suite sanitize -DCMAKE_BUILD_TYPE=Debug -DKIOSK_SANITIZE=ON
fi
