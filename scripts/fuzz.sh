#!/usr/bin/env bash
# Builds the fuzz target of the dataset reader with clang and libFuzzer and runs it for N
# seconds (default 60) on a copy of the seed corpus. Fails on any crash, leak or sanitizer
# report.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
dir=build-fuzz
args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
  -DMORIVA_FUZZ=ON -DMORIVA_TESTS=OFF -DMORIVA_BENCH=OFF)
[ -n "${CI:-}" ] && args+=(-DMORIVA_WERROR=ON)
cmake -S . -B "$dir" "${args[@]}" >/dev/null
cmake --build "$dir" --target DataSetReaderFuzz --parallel "$(nproc)"

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp tests/data-files/cds-samples/*.cds fuzz/seeds/dataset/* "$corpus"/
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# libFuzzer reports every new input; keep that in a log and print only the outcome.
log=$dir/fuzz.log
if "$dir/bin/DataSetReaderFuzz" -max_total_time="$seconds" -max_len=32768 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/" "$corpus" >"$log" 2>&1; then
  echo "Fuzzing the dataset reader: $(grep -m1 -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') inputs in ${seconds} s, no failure."
else
  echo "Fuzzing the dataset reader failed; the end of its log:"
  tail -n 60 "$log"
  exit 1
fi
