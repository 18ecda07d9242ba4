#!/usr/bin/env bash
# Configures and builds the project with Ninja.
#   scripts/build.sh [--sanitize] [BUILD_DIR]
# With --sanitize the build uses AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
dir=build
if [ "${1:-}" = "--sanitize" ]; then
  args+=(-DMORIVA_SANITIZE=ON -DMORIVA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  dir=build-asan
  shift
fi
dir=${1:-$dir}
# Warnings are errors in continuous integration.
[ -n "${CI:-}" ] && args+=(-DMORIVA_WERROR=ON)

cmake -S . -B "$dir" "${args[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
