#!/usr/bin/env bash
# The test command: installs what is missing, configures with AddressSanitizer and
# UndefinedBehaviorSanitizer, builds everything (warnings are errors) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build-ci}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSABLEWING_SANITIZE=ON -DSABLEWING_WERROR=ON
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
