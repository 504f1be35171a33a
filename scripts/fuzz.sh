#!/usr/bin/env bash
# Builds the fuzz targets with clang (address and undefined behaviour checks) in
# build-fuzz/, has each write its seed inputs with the program's own writers, and runs each
# target ZV_FUZZ_SECONDS (default 600), ZV_FUZZ_PARALLEL (default 3) at a time. Prints
# the executions and crashes of each; exit code 0 only when none crashed.
# Arguments choose the targets (default: all, e.g. fuzz_rtf fuzz_xml).
set -uo pipefail
cd "$(dirname "$0")/.."
DIR=build-fuzz
SECONDS_EACH=${ZV_FUZZ_SECONDS:-600}
PARALLEL=${ZV_FUZZ_PARALLEL:-3}
cmake -S . -B "$DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DZV_SANITIZE=address -DZV_FUZZ=ON > "$DIR.configure.log" 2>&1 || { cat "$DIR.configure.log"; exit 1; }
TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  for f in tests/fuzz/fuzz_*.cpp; do
    TARGETS+=("$(basename "$f" .cpp)")
  done
fi
nice -n 10 cmake --build "$DIR" -j "${ZV_JOBS:-3}" --target "${TARGETS[@]}" || exit 1

OUT=$DIR/fuzz-runs
mkdir -p "$OUT"

run_one() {
  local t=$1 name=${1#fuzz_}
  mkdir -p "$OUT/corpus-$name" "$OUT/crashes-$name"
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ZV_FUZZ_SEEDS="$OUT/corpus-$name" "$DIR/tests/fuzz/$t" -runs=0 \
    > "$OUT/$name.seeds.log" 2>&1 || { echo "$t: writing its seeds failed" >> "$OUT/$name.log"; return; }
  QT_QPA_PLATFORM=offscreen nice -n 10 "$DIR/tests/fuzz/$t" -max_total_time="$SECONDS_EACH" -timeout=60 \
    -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$OUT/crashes-$name/" "$OUT/corpus-$name" \
    > "$OUT/$name.log" 2>&1
}
export -f run_one
export DIR OUT SECONDS_EACH
printf '%s\n' "${TARGETS[@]}" | xargs -P "$PARALLEL" -I{} bash -c 'run_one {}'

status=0
for t in "${TARGETS[@]}"; do
  name=${t#fuzz_}
  runs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$OUT/$name.log" | grep -oE '[0-9]+$')
  crashes=$(find "$OUT/crashes-$name" -type f ! -name "slow-unit-*" | wc -l)
  secs=$(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$OUT/$name.log" | grep -oE '[0-9]+ second' | grep -oE '[0-9]+')
  echo "$t: ${runs:-?} executions in ${secs:-?} s, $crashes crashes (log: $OUT/$name.log)"
  [ "$crashes" = 0 ] && [ -n "$runs" ] || status=1
done
exit $status
