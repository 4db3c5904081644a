#!/usr/bin/env bash
# run_sh_test.sh SOURCE BUILD: run.sh, called from a folder of the user's,
# starts the program in that folder (on SDL's dummy driver, reusing BUILD).
set -euo pipefail
source=$1
export KIOSK_RUN_BUILD=$2 DISPLAY=:none SDL_VIDEODRIVER=dummy
folder=$(mktemp -d)
# SIGKILL: a program stopped while SDL starts would take SIGTERM for a quit request.
trap 'kill -KILL "$pid" 2>/dev/null || true; rm -rf "$folder"' EXIT
cd "$folder"
"$source/run.sh" tallyboard >/dev/null 2>&1 &
pid=$!
# run.sh becomes the program once it has checked the build.
for _ in $(seq 600); do
  [[ $(readlink "/proc/$pid/exe") == */bin/tallyboard ]] && break
  sleep 0.1
done
cwd=$(readlink "/proc/$pid/cwd")
[[ $cwd == "$folder" ]] || { echo "tallyboard runs in $cwd, not $folder" >&2; exit 1; }
