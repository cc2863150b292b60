#!/usr/bin/env bash
# The demo: installs what is missing, builds the add-in and the msdev program, and runs the add-in
# in the IDE stand-in. Without an argument it works on a fresh copy of the sample project in the
# build folder; with a workspace (.dsw) or its folder, on that project in place. The commands and
# the user's answers are sample/demo-answers.txt (msdev --answers <file> takes others).
#
#   bash scripts/demo.sh [PATH]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# A relative PATH is the user's, from where they stand.
args=()
if [ $# -gt 0 ]; then
  case "$1" in
    /*) args=("$1") ;;
    *) args=("$PWD/$1") ;;
  esac
fi
cd "$root"
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja > /dev/null
cmake --build "$build" -j "$(nproc)" --target msdev_program
exec "$build/bin/msdev" "${args[@]}"
