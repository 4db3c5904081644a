#!/usr/bin/env bash
# Long event-stream fuzz run of the four programs.
#
#   scripts/fuzz-long.sh [MINUTES] [PROGRAM...]
#
# Builds build/fuzz: optimised, with AddressSanitizer and
# UndefinedBehaviorSanitizer, under clang with libFuzzer where it works and
# otherwise with the seeded plain driver. Runs each program (all four by
# default) for MINUTES (10 by default), two at a time, at the lowest
# priority. libFuzzer keeps what it learns in build/fuzz/corpus/<program>; a
# stream that breaks a program is saved in build/fuzz/artifacts/ and can be
# replayed with build/fuzz/bin/<program>_fuzz <file>. Logs go to
# build/fuzz/logs/<program>.log; each ends with the streams and events run.
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=${1:-10}
shift || true
programs=("$@")
((${#programs[@]})) || programs=(tintpad tallyboard shapescope panelwright)

source scripts/packages.sh
ensure_packages "${test_packages[@]}"

build=$PWD/build/fuzz
if [[ ! -f $build/build.ninja ]]; then
  compilers=()
  if command -v clang++ >/dev/null && command -v clang >/dev/null; then
    compilers=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
  fi
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIOSK_SANITIZE=ON \
    "${compilers[@]}" >/dev/null
fi
cmake --build "$build" --target "${programs[@]/%/_fuzz}"

libfuzzer=0
grep -q '^KIOSK_LIBFUZZER:INTERNAL=1$' "$build/CMakeCache.txt" && libfuzzer=1
seed=${FUZZ_SEED:-$(date +%s)}
mkdir -p "$build/artifacts" "$build/logs"
unset DISPLAY

run() {
  local program=$1 options=(-max_total_time=$((minutes * 60)) -timeout=60
    -artifact_prefix="$build/artifacts/")
  if ((libfuzzer)); then
    # Streams of every length from the start, not grown a few bytes at a time.
    mkdir -p "$build/corpus/$program"
    options+=(-len_control=0 -max_len=4096 -print_final_stats=1 "$build/corpus/$program")
    [[ -d $program/tests/fuzz_corpus ]] && options+=("$PWD/$program/tests/fuzz_corpus")
  else
    options+=(-seed="$seed")
  fi
  echo "$program: ${minutes} min ($( ((libfuzzer)) && echo libFuzzer || echo "plain driver, seed $seed"))"
  if nice -n 19 "$build/bin/${program}_fuzz" "${options[@]}" >"$build/logs/$program.log" 2>&1; then
    echo "$program: $(grep '^fuzz: .* streams' "$build/logs/$program.log" | tail -1)"
  else
    echo "$program: FAILED, see $build/logs/$program.log" >&2
    return 1
  fi
}

status=0
for ((i = 0; i < ${#programs[@]}; i += 2)); do
  pids=()
  for program in "${programs[@]:i:2}"; do
    run "$program" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
done
exit $status
