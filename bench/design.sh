#!/usr/bin/env bash
# Design mode's timing targets, medians in one run: in-process (design_bench: 25 textbook
# exercises as whole --design runs, 1,000 attributes under 1,000 random dependencies, 60 under 60),
# then whole `lossless --design` processes on the examples and on such random inputs, each with
# what its object says of completeness.
#
#   bash bench/design.sh [runs]     (default: 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
cmake --preset release >/dev/null && cmake --build --preset release >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build/release/bench/design_bench --benchmark_repetitions="$runs" \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median|^Benchmark|^-'

# R = A1..Am on one scheme line, and f random dependencies with 1 to 3 names on the left and 1 or
# 2 on the right.
python3 - "$work" <<'PY'
import random, sys
def write(path, m, f, seed):
    r = random.Random(seed)
    names = [f"A{i}" for i in range(1, m + 1)]
    deps = [",".join(r.sample(names, r.randint(1, 3))) + "->" + ",".join(r.sample(names, r.randint(1, 2)))
            for _ in range(f)]
    open(path, "w").write(",".join(names) + "\n\n" + "\n".join(deps) + "\n")
for seed in (1, 2, 3):
    write(f"{sys.argv[1]}/random_1000_{seed}.txt", 1000, 1000, seed)
    write(f"{sys.argv[1]}/random_60_{seed}.txt", 60, 60, seed)
PY

median_ms() {  # median_ms <file>: the median wall time of `lossless --design <file>`, in ms
  local times=()
  for ((i = 0; i < runs; i++)); do
    local start end
    start=$(date +%s%N)
    build/release/lossless --design "$1" >/dev/null
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1000 }'
}
# What the object says: every part complete, or which parts decided nothing.
completeness() {
  build/release/lossless --design "$1" | python3 -c '
import json, sys
o = json.load(sys.stdin)
undecided = [p for p, v in (("cover", o["cover"]["dependencies"]), ("synthesis", o["synthesis"]["forms"]),
                            ("bcnf", o["bcnf"]["forms"])) if v is None]
print("complete" if o["complete"] else "incomplete" + (": no " + ", ".join(undecided) if undecided else ""))'
}
for input in examples/*.txt "$work"/random_60_*.txt "$work"/random_1000_*.txt; do
  echo "lossless --design $(basename "$input"), median of $runs: $(median_ms "$input") ms ($(completeness "$input"))"
done
