#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build (cmake -DVCBM_FUZZ=ON, clang) one
# after the other, each from its seed corpus, and reports the executions and
# the findings (crash, timeout, leak, out-of-memory inputs) per target.
#
#   scripts/fuzz-campaign.sh [--build DIR] [--runs N | --seconds S] [--timeout S] [--work DIR] [TARGET...]
#
#   --build DIR    the fuzz build (default build-fuzz)
#   --runs N       executions per target (default 3000: the short run of CI)
#   --seconds S    run each target for S seconds instead (long campaigns);
#                  with --runs, at most S seconds for the N executions
#   --timeout S    seconds of wall-clock time one input may take before it
#                  counts as a hang (default 20). The clock runs while the
#                  program waits for the processor: on a machine busy with
#                  other work, give a long campaign more (120, say), or an
#                  input of a few seconds turns into a false finding
#   --work DIR     where the growing corpora and the findings go (default
#                  DIR-of-build/fuzz-work); the committed seeds are only read
#   TARGET         family names (interval_roots, eval, ...); default all
#
# Runs at low priority on one core. Exits 1 when any target has a finding;
# the inputs are kept under WORK/findings/<target>/ for replay:
#   build-fuzz/fuzz/<target>_fuzz WORK/findings/<target>/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz runs=3000 runs_given=0 seconds="" timeout=20 work="" targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --runs) runs=$2; runs_given=1; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --timeout) timeout=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    -h|--help) sed -n '2,24p' "$0"; exit 0 ;;
    *) targets+=("$1"); shift ;;
  esac
done
work=${work:-$build/fuzz-work}
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cpp; do t=$(basename "$f" .cpp); targets+=("${t%_fuzz}"); done
fi

# --seconds alone: a long campaign; with --runs as well, the time caps the
# executions of a slow target (CI).
if [ -n "$seconds" ]; then limit=(-max_total_time="$seconds"); else limit=(-runs="$runs"); fi
if [ -n "$seconds" ] && [ "$runs_given" = 1 ]; then limit+=(-runs="$runs"); fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

passed=0 failed=0 total=0
printf '%-16s %14s %9s %8s\n' target executions findings seconds
for t in "${targets[@]}"; do
  bin=$build/fuzz/${t}_fuzz
  [ -x "$bin" ] || { echo "$t: no program $bin (build with -DVCBM_FUZZ=ON)"; failed=$((failed + 1)); continue; }
  corpus=$work/corpus/$t findings=$work/findings/$t log=$work/logs/$t.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds=("fuzz/corpus/$t")
  start=$(date +%s)
  # New inputs go to the first corpus directory (the work one).
  nice -n 15 "$bin" "${limit[@]}" -timeout="$timeout" -rss_limit_mb=2048 -max_len=1024 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" > "$log" 2>&1 || true
  secs=$(( $(date +%s) - start ))
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  execs=${execs:-0}
  found=$(find "$findings" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'timeout-*' -o -name 'leak-*' -o -name 'oom-*' \) | wc -l)
  total=$((total + execs))
  printf '%-16s %14s %9s %8s\n' "$t" "$execs" "$found" "$secs"
  if [ "$found" -eq 0 ] && grep -q '^stat::number_of_executed_units' "$log"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    grep -m3 -E 'fuzz check failed|ERROR|runtime error|SUMMARY' "$log" | sed 's/^/    /' || true
  fi
done
echo "executions in all: $total"
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
