#!/usr/bin/env bash
# Builds the fuzz targets, fuzzes each for a bounded time (all at once, one
# core each), then runs every kept crash input in fuzz/regressions/<target>/
# through its target once. Exits non-zero when any run crashed.
#
#   fuzz/run.sh              30 seconds per target
#   FUZZ_SECONDS=300 fuzz/run.sh
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${FUZZ_SECONDS:-30}
targets=(property_stream layout_stream numbers text recall_score)

if ! cmake --list-presets 2>/dev/null | grep -q '"fuzz"'; then
  echo "CMakePresets.json has no preset \"fuzz\" (clang, MERKHAUS_FUZZ=ON, build dir build-fuzz)." >&2
  exit 2
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

bin=$root/build-fuzz/fuzz
work=$root/build-fuzz/fuzz/runs
mkdir -p "$work"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# New inputs go into the corpus in the build tree; the seeds stay as they are.
pids=()
for t in "${targets[@]}"; do
  rm -rf "$work/crashes/$t"
  mkdir -p "$work/corpus/$t" "$work/crashes/$t"
  "$bin/fuzz_$t" "$work/corpus/$t" "$root/fuzz/seeds/$t" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/crashes/$t/" >"$work/$t.log" 2>&1 &
  pids+=($!)
done

failed=0
printf '\n%-16s %10s %8s %8s %9s  %s\n' target execs exec/s cov corpus result
for i in "${!targets[@]}"; do
  t=${targets[$i]}
  status=0
  wait "${pids[$i]}" || status=$?
  log=$work/$t.log
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
  cov=$(grep -Eo 'cov: [0-9]+' "$log" | tail -n1 | cut -d' ' -f2)
  corpus=$(find "$work/corpus/$t" -type f | wc -l)
  result=ok
  if [ "$status" -ne 0 ]; then
    result="CRASH (exit $status), see $log"
    failed=1
  fi
  printf '%-16s %10s %8s %8s %9s  %s\n' "$t" "${execs:--}" "${rate:--}" "${cov:--}" "$corpus" "$result"
done

for t in "${targets[@]}"; do
  if compgen -G "$work/crashes/$t/*" >/dev/null; then
    echo
    echo "== $t: crash inputs (keep them in fuzz/regressions/$t/ once understood):"
    ls -1 "$work/crashes/$t/"
    grep -E -m1 -A25 'ERROR: |FUZZ CHECK FAILED|runtime error|deadly signal' "$work/$t.log" || tail -n 40 "$work/$t.log"
  fi
done

# Every input that once crashed a target runs through it again.
echo
for t in "${targets[@]}"; do
  inputs=()
  for f in "$root/fuzz/regressions/$t"/*; do
    [ -f "$f" ] && [ "$(basename "$f")" != README ] && inputs+=("$f")
  done
  [ ${#inputs[@]} -eq 0 ] && continue
  if "$bin/fuzz_$t" "${inputs[@]}" >"$work/$t.regressions.log" 2>&1; then
    echo "regressions $t: ${#inputs[@]} inputs pass"
  else
    echo "regressions $t: FAILED, see $work/$t.regressions.log"
    grep -E 'Running: ' "$work/$t.regressions.log" | tail -n1 || true
    grep -E -m1 'runtime error|FUZZ CHECK FAILED|ERROR: ' "$work/$t.regressions.log" || true
    failed=1
  fi
done

exit "$failed"
