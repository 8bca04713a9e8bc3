#!/usr/bin/env bash
# Builds the fuzz targets with clang (build/fuzz) and runs each of them for
# SECONDS (default 60), starting from its seeds; a corpus grown on the way is
# kept in build/fuzz/corpus. Exits non-zero when a target finds a failure;
# its input is then in build/fuzz/crashes.     tools/fuzz/run.sh [SECONDS]
set -u
. "$(dirname "$0")/../common.sh"
seconds=${1:-60}
fuzz="$BUILD_DIR/fuzz"
CC=clang CXX=clang++ cmake -S "$ORLO_ROOT" -B "$fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLO_FUZZ=ON >/dev/null &&
  cmake --build "$fuzz" -j"$JOBS" --target fuzz_all >/dev/null || { echo "fuzz: the build failed"; exit 1; }
failed=0
mkdir -p "$fuzz/crashes"
for program in "$fuzz"/fuzz/fuzz_*; do
  target=$(basename "$program"); target=${target#fuzz_}
  corpus="$fuzz/corpus/$target"
  mkdir -p "$corpus"
  cp -n "$ORLO_ROOT/tools/fuzz/seeds/${target%_[ef][nr]}"/* "$corpus"/ 2>/dev/null
  log=$("$program" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 -artifact_prefix="$fuzz/crashes/$target-" \
    -print_final_stats=1 "$corpus" 2>&1)
  status=$?
  runs=$(echo "$log" | sed -n 's/^stat::number_of_executed_units: *//p')
  echo "fuzz $target: ${runs:-?} executions in ${seconds} s, $( [ $status -eq 0 ] && echo "nothing found" || echo FAILED)"
  [ $status -eq 0 ] || { echo "$log" | tail -20; failed=1; }
done
exit $failed
