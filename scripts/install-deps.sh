#!/usr/bin/env bash
# Installs what a fresh machine lacks to build and test the project (Debian packages, by name).
set -euo pipefail
# clang-14 also builds the tree (cmake --preset clang); libclang-rt-14-dev holds libFuzzer and clang's
# sanitizer run times, for the fuzzing build (scripts/fuzz). diffutils shows the demo's changes.
packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev libxml2-dev llvm-14 clang-14
          libfreetype-dev libpng-dev fonts-unifont libclang-rt-14-dev diffutils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y "${missing[@]}"
fi
