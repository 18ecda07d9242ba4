#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
#   scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
dir=build
[ "${1:-}" = "--sanitize" ] && dir=build-asan
bash scripts/build.sh "$@"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" --timeout 300
