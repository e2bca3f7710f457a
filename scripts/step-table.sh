#!/usr/bin/env bash
# The step against its limit, before and after a change: bench/StepLimitBench.cpp as this tree has
# it, built once against this tree's engine and once against the engine of BASE (any commit since
# the engine had its particle system, e.g. the one a change started from), both run in one go; prints
# ns per particle per step, the yardstick's, their ratio and the heap bytes per live particle.
# Options after BASE go to both benchmark runs (e.g. --benchmark_repetitions=3, whose medians are
# taken, or --benchmark_filter=/1000/).
#   scripts/step-table.sh BASE [BENCHMARK OPTIONS...]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || [ "${1#-}" != "$1" ]; then
  echo "usage: scripts/step-table.sh BASE [BENCHMARK OPTIONS...]" >&2
  exit 2
fi
base=$(git rev-parse --short "$1^{commit}")
shift
work=build/step-table/$base
mkdir -p "$work"

cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)" --target step_limit_bench >/dev/null

# The base engine's sources compiled as the native preset compiles them (RelWithDebInfo), without
# its build files, which have changed over time; the benchmark again whenever it changed.
flags=(-std=c++17 -O2 -g -DNDEBUG -ffp-contract=off -I"$work/src")
if [ ! -f "$work/engine.done" ]; then
  rm -rf "$work/src" "$work/obj"
  mkdir -p "$work/src" "$work/obj"
  git archive "$base" core objfile particles modifiers shapes images scene | tar -x -C "$work/src"
  launcher=$(command -v ccache || true)
  (cd "$work/src" && find . -name '*.cpp' | sed 's|^\./||') |
    xargs -P "$(nproc)" -I{} sh -c \
      "mkdir -p \"\$(dirname '$work/obj/{}')\" && $launcher g++ ${flags[*]} -c '$work/src/{}' -o '$work/obj/{}.o'"
  touch "$work/engine.done"
fi
if [ ! -x "$work/step_limit_bench" ] || [ bench/StepLimitBench.cpp -nt "$work/step_limit_bench" ]; then
  g++ "${flags[@]}" bench/StepLimitBench.cpp $(find "$work/obj" -name '*.o') -o "$work/step_limit_bench" \
    -lbenchmark_main -lbenchmark -lpthread -lgle -lGLU -lGL -lz
fi

echo "== $base" >&2
"$work/step_limit_bench" --benchmark_format=json --benchmark_out="$work/before.json" "$@" >/dev/null
echo "== this tree" >&2
build/native/bench/step_limit_bench --benchmark_format=json --benchmark_out="$work/after.json" "$@" >/dev/null

python3 - "$base" "$work/before.json" "$work/after.json" <<'EOF'
import json
import sys

# Per benchmark and size: ns per particle per step and heap bytes per live particle, the median
# of repetitions when there are any.
def figures(path):
    runs = {}
    for run in json.load(open(path))["benchmarks"]:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        name, size = run["run_name"].split("/")[:2]
        if run.get("run_type") == "aggregate" or (name, size) not in runs:
            runs[(name, size)] = (run["ns_per_particle"] * 1e9, run.get("heap_bytes_per_particle"))
    return runs

base, before, after = sys.argv[1], figures(sys.argv[2]), figures(sys.argv[3])
print("ns per particle per step (CPU time), the yardstick's, their ratio; heap bytes per live particle")
print(f"{'live':>9} | {base:>9} {'limit':>6} {'ratio':>5} {'bytes':>5} | {'now':>9} {'limit':>6} {'ratio':>5} {'bytes':>5}")
for size in sorted({size for (_, size) in after}, key=int):
    cells = []
    for runs in (before, after):
        step, heap = runs.get(("BM_Step", size), (float("nan"), None))
        limit, _ = runs.get(("BM_Yardstick", size), (float("nan"), None))
        cells.append(f"{step:9.1f} {limit:6.1f} {step / limit:5.2f} {heap or float('nan'):5.1f}")
    print(f"{int(size):>9} | {cells[0]} | {cells[1]}")
EOF
