#!/usr/bin/env bash
# Fuzzes every target (or the ones named) for SECONDS each, default 60, over its seed corpus and
# the inputs that once failed, with the sanitizers of the fuzz preset; fails when any target finds
# a crash, a leak, a broken invariant, an input slower than a second or one that needs more than
# 256 MiB. New inputs and findings go to build/fuzz-work/<target>/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     targets: scene scene_gz bitmap targa simulation compile
# A long campaign on a shared machine: FUZZ_TIMEOUT=10 nice -n 19 scripts/fuzz.sh 1800 scene
# (a niced run can be kept off the processor for more than a second; a longer timeout keeps that
# from counting as a slow input, and the slowest input's time is still reported).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(scene scene_gz bitmap targa simulation compile)

echo "== fuzz targets (clang, libFuzzer with the address and undefined-behaviour sanitizers), ${seconds}s each"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

failed=()
for target in "${targets[@]}"; do
  work=$root/build/fuzz-work/$target
  mkdir -p "$work/corpus" "$work/findings"
  dirs=("$work/corpus" "$root/tests/fuzz/corpus/$target")
  [ -d "$root/tests/fuzz/regressions/$target" ] && dirs+=("$root/tests/fuzz/regressions/$target")
  case $target in
    bitmap | targa) max_len=8192 ;;
    *) max_len=16384 ;;
  esac
  options=(-max_total_time="$seconds" -rss_limit_mb=256 -timeout="${FUZZ_TIMEOUT:-1}" -max_len="$max_len"
           -print_final_stats=1
           -artifact_prefix="$work/findings/")
  [ -f "$root/tests/fuzz/corpus/$target.dict" ] && options+=(-dict="$root/tests/fuzz/corpus/$target.dict")
  echo "== fuzz: $target for ${seconds}s"
  # Paths are absolute: the targets work in a private folder of their own.
  set +e
  cpu=$( { TIMEFORMAT='%U %S'; time build/fuzz/tests/fuzz/fuzz_"$target" "${options[@]}" "${dirs[@]}" \
      >"$work/log" 2>&1; } 2>&1 )
  status=$?
  set -e
  # CPU seconds (user + system) and executions, kept per target in ledger.
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log")
  slowest=$(sed -n 's/^stat::slowest_unit_time_sec: *//p' "$work/log")
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$work/log")
  seconds_cpu=$(echo "$cpu" | awk '{ printf "%.0f", $1 + $2 }')
  echo "$(date -u +%FT%TZ) cpu_s=$seconds_cpu runs=$runs exec_per_s=$rate slowest_s=$slowest" \
    "peak_rss_mb=$rss status=$status" >>"$work/ledger"
  if [ $status -ne 0 ]; then
    tail -n 40 "$work/log"
    failed+=("$target")
    continue
  fi
  echo "$runs runs, $rate per second, $seconds_cpu CPU seconds, slowest input ${slowest}s, peak RSS $rss MiB"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "== fuzz findings in: ${failed[*]} (inputs under build/fuzz-work/<target>/findings/)"
  exit 1
fi
echo "== fuzz: no findings"
