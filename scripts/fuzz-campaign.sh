#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build (cmake -DVCBM_FUZZ=ON, clang), each
# from its seed corpus and the corpus earlier runs grew, and reports the
# executions and the findings (crash, timeout, leak, out-of-memory inputs)
# per target. Every run is added to a ledger, so that a long campaign can be
# made of several runs, on one machine or on several sharing the work folder.
#
#   scripts/fuzz-campaign.sh [--build DIR] [--runs N | --seconds S] [--timeout S] [--jobs J] [--work DIR] [TARGET...]
#   scripts/fuzz-campaign.sh [--work DIR | --build DIR] --totals
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
#   --jobs J       targets run at the same time (default 1; one core each)
#   --work DIR     where the growing corpora, the logs, the findings and the
#                  ledger go (default DIR-of-build/fuzz-work); the committed
#                  seeds are only read
#   --totals       print the ledger's sums per target (executions, findings,
#                  seconds, runs) and run nothing
#   TARGET         family names (interval_roots, eval, ...); default all
#
# Runs at low priority. Exits 1 when any target has a finding; the inputs are
# kept under WORK/findings/<target>/ for replay:
#   build-fuzz/fuzz/<target>_fuzz WORK/findings/<target>/crash-...
# The ledger WORK/ledger.tsv has one line per run: the date, the commit, the
# target, the executions, the findings and the seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz runs=3000 runs_given=0 seconds="" timeout=20 jobs=1 work="" totals=0 targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --runs) runs=$2; runs_given=1; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --timeout) timeout=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    --totals) totals=1; shift ;;
    -h|--help) sed -n '2,31p' "$0"; exit 0 ;;
    *) targets+=("$1"); shift ;;
  esac
done
work=${work:-$build/fuzz-work}
ledger=$work/ledger.tsv

if [ "$totals" = 1 ]; then
  [ -f "$ledger" ] || { echo "no ledger in $work"; exit 1; }
  awk -F'\t' '{ e[$3] += $4; f[$3] += $5; s[$3] += $6; n[$3]++ }
    END { printf "%-16s %14s %9s %8s %5s\n", "target", "executions", "findings", "seconds", "runs"
          for (t in e) printf "%-16s %14d %9d %8d %5d\n", t, e[t], f[t], s[t], n[t] | "sort" }' "$ledger"
  exit 0
fi

if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cpp; do t=$(basename "$f" .cpp); targets+=("${t%_fuzz}"); done
fi

# --seconds alone: a long campaign; with --runs as well, the time caps the
# executions of a slow target (CI).
if [ -n "$seconds" ]; then limit=(-max_total_time="$seconds"); else limit=(-runs="$runs"); fi
if [ -n "$seconds" ] && [ "$runs_given" = 1 ]; then limit+=(-runs="$runs"); fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
commit=$(git rev-parse --short HEAD 2>/dev/null || echo unknown)
mkdir -p "$work/results"

# One target: runs it, then writes "executions findings seconds status" to
# WORK/results/<target> and adds its line to the ledger.
run_target() {
  local t=$1 bin=$build/fuzz/${1}_fuzz
  local corpus=$work/corpus/$t findings=$work/findings/$t log=$work/logs/$t.log result=$work/results/$t
  if [ ! -x "$bin" ]; then
    echo "0 0 0 missing" > "$result"
    return
  fi
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  local seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds=("fuzz/corpus/$t")
  local start=$(date +%s)
  # New inputs go to the first corpus directory (the work one).
  nice -n 15 "$bin" "${limit[@]}" -timeout="$timeout" -rss_limit_mb=2048 -max_len=1024 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" > "$log" 2>&1 || true
  local secs=$(( $(date +%s) - start ))
  local execs found status=ok
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  execs=${execs:-0}
  found=$(find "$findings" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'timeout-*' -o -name 'leak-*' -o -name 'oom-*' \) | wc -l)
  grep -q '^stat::number_of_executed_units' "$log" || status=broken
  [ "$found" -eq 0 ] || status=found
  echo "$execs $found $secs $status" > "$result"
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%M:%SZ)" "$commit" "$t" "$execs" "$found" "$secs" >> "$ledger"
}

# At most JOBS targets at a time.
for t in "${targets[@]}"; do
  rm -f "$work/results/$t"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_target "$t" &
done
wait

passed=0 failed=0 total=0
printf '%-16s %14s %9s %8s\n' target executions findings seconds
for t in "${targets[@]}"; do
  read -r execs found secs status < "$work/results/$t"
  total=$((total + execs))
  case $status in
    missing) echo "$t: no program $build/fuzz/${t}_fuzz (build with -DVCBM_FUZZ=ON)"; failed=$((failed + 1)) ;;
    ok) printf '%-16s %14s %9s %8s\n' "$t" "$execs" "$found" "$secs"; passed=$((passed + 1)) ;;
    *)
      printf '%-16s %14s %9s %8s\n' "$t" "$execs" "$found" "$secs"
      failed=$((failed + 1))
      grep -m3 -E 'fuzz check failed|ERROR|runtime error|SUMMARY' "$work/logs/$t.log" | sed 's/^/    /' || true ;;
  esac
done
echo "executions in all: $total"
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
