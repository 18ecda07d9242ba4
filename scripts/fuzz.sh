#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each on a copy of its seed
# corpus (fuzz/seeds/<seeds>/). Any crash, leak, time-out or sanitizer report fails the
# run and prints the end of that target's log; otherwise one line per target says how many
# inputs it ran.
#   scripts/fuzz.sh [DATASET_SECONDS [OTHERS_SECONDS]]
#       The continuous-integration run: the dataset reader for DATASET_SECONDS (60), then
#       the other targets one after another, sharing OTHERS_SECONDS (120).
#   scripts/fuzz.sh --runs N [--jobs J] [TARGET...]
#       A long run: each target named (all when none is) until N inputs, in J processes
#       (default 4) that share the target's corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

# target, seed folder, longest input
targets=(
  "DataSetReaderFuzz dataset 32768"
  "IniFileFuzz ini 4096"
  "StringListFuzz stringlist 4096"
  "SubsetFileFuzz subset 4096"
  "DataSetFilterFuzz filter 1024"
  "CodePageFuzz codepage 4096"
  "ServerTextFuzz servertext 4096"
)

runs=
jobs=4
chosen=()
dataset_seconds=60
others_seconds=120
if [ "${1:-}" = "--runs" ]; then
  runs=$2; shift 2
  if [ "${1:-}" = "--jobs" ]; then jobs=$2; shift 2; fi
  chosen=("$@")
else
  dataset_seconds=${1:-60}
  others_seconds=${2:-120}
fi

dir=$PWD/build-fuzz
args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
  -DMORIVA_FUZZ=ON -DMORIVA_TESTS=OFF -DMORIVA_BENCH=OFF)
[ -n "${CI:-}" ] && args+=(-DMORIVA_WERROR=ON)
names=()
for entry in "${targets[@]}"; do names+=("${entry%% *}"); done
cmake -S . -B "$dir" "${args[@]}" >/dev/null
cmake --build "$dir" --target "${names[@]}" --parallel "$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The number of inputs a libFuzzer log (or several) reports.
count_inputs() {
  grep -h -E '^stat::number_of_executed_units' "$@" | awk '{n += $2} END {print n + 0}'
}

failed() {
  echo "Fuzzing $1 failed; the end of its log:"
  tail -n 60 "$2"
  exit 1
}

# fuzz TARGET SEEDS MAX_LEN OPTION...: runs the target on a fresh copy of its seeds.
fuzz() {
  local target=$1 seeds=$2 max_len=$3
  shift 3
  local corpus=$work/$target log=$dir/$target.log
  mkdir -p "$corpus"
  cp fuzz/seeds/"$seeds"/* "$corpus"/
  [ "$seeds" = dataset ] && cp tests/data-files/cds-samples/*.cds "$corpus"/
  local start=$SECONDS
  (cd "$work" && "$dir/bin/$target" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$dir/$target-" "$@" "$corpus" >"$log" 2>&1) || failed "$target" "$log"
  local inputs
  if [ -n "$runs" ]; then
    inputs=$(count_inputs "$work"/fuzz-*.log)
    cat "$work"/fuzz-*.log >>"$log"
    grep -q -E '^==[0-9]+==ERROR|deadly signal|ALARM: working on the last Unit|out-of-memory' "$work"/fuzz-*.log \
      && failed "$target" "$log"
    rm -f "$work"/fuzz-*.log
  else
    inputs=$(count_inputs "$log")
  fi
  echo "Fuzzing $target: $inputs inputs in $((SECONDS - start)) s, no failure."
}

for entry in "${targets[@]}"; do
  read -r target seeds max_len <<<"$entry"
  if [ -n "$runs" ]; then
    if [ ${#chosen[@]} -gt 0 ] && [[ ! " ${chosen[*]} " == *" $target "* ]]; then continue; fi
    fuzz "$target" "$seeds" "$max_len" -runs=$(((runs + jobs - 1) / jobs)) -jobs="$jobs" -workers="$jobs"
  elif [ "$seeds" = dataset ]; then
    fuzz "$target" "$seeds" "$max_len" -max_total_time="$dataset_seconds"
  else
    fuzz "$target" "$seeds" "$max_len" -max_total_time=$((others_seconds / (${#targets[@]} - 1)))
  fi
done
