#!/usr/bin/env bash
# Runs every libFuzzer target for a while on its committed seed corpus.
#   tools/runfuzz.sh BUILD_DIR SECONDS [TARGET...]
# The targets are the fuzz/fuzz_*.cpp files (all of them when none is named);
# each needs its seeds in fuzz/corpus/<target>/. New inputs found go to a
# scratch folder, never into the committed corpus. As many targets run at
# once as there are cores. Fails on a crash, a sanitizer report, a leak, a
# hang (an input taking over 10 s), a missing corpus or a target that did
# not build.
set -uo pipefail
cd "$(dirname "$0")/.."

# Any sanitizer report ends a run; only fontconfig's and Qt's caches may leak.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp:print_suppressions=0}

build=${1:?usage: tools/runfuzz.sh BUILD_DIR SECONDS [TARGET...]}
seconds=${2:?usage: tools/runfuzz.sh BUILD_DIR SECONDS [TARGET...]}
shift 2

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in fuzz/fuzz_*.cpp; do
    targets+=("$(basename "$src" .cpp)")
  done
fi

status=0
for t in "${targets[@]}"; do
  if [ ! -d "fuzz/corpus/$t" ] || [ -z "$(find "fuzz/corpus/$t" -type f ! -name README -print -quit)" ]; then
    echo "FAILED: $t has no seed corpus in fuzz/corpus/$t/" >&2
    status=1
  fi
done
[ $status -eq 0 ] || exit $status

cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run_one() {
  local t=$1
  mkdir -p "$work/$t/new"
  (cd "$work/$t" &&
     "$OLDPWD/$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
       -print_final_stats=1 -artifact_prefix="$work/$t/" \
       new "$OLDPWD/fuzz/corpus/$t" >"$work/$t/log" 2>&1)
  echo $? >"$work/$t/status"
}

running=0
for t in "${targets[@]}"; do
  run_one "$t" &
  running=$((running + 1))
  if [ $running -ge "$(nproc)" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

printf '%-22s %10s %10s %8s\n' target inputs "inputs/s" coverage
for t in "${targets[@]}"; do
  log="$work/$t/log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  printf '%-22s %10s %10s %8s\n' "$t" "${runs:-?}" "${rate:-?}" "${cov:-?}"
  if [ "$(cat "$work/$t/status")" != 0 ]; then
    echo "FAILED: $t" >&2
    tail -n 60 "$log" >&2
    for a in "$work/$t"/crash-* "$work/$t"/leak-* "$work/$t"/timeout-* "$work/$t"/oom-*; do
      [ -f "$a" ] && { mkdir -p fuzz/artifacts; cp "$a" "fuzz/artifacts/$t-$(basename "$a")"; }
    done
    status=1
  fi
done
exit $status
