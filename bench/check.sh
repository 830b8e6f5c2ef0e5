#!/usr/bin/env bash
# The decomposition check's timing targets, medians in one run: in-process (analysis_bench: 25
# textbook exercises as whole --json runs, keys of 10 pairs, schemes of 20 attributes, and 100
# attributes with 30 schemes and 100,000 random dependencies), then whole `lossless --json`
# processes on the examples and on such a large input.
#
#   bash bench/check.sh [runs]     (default: 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
cmake --preset release >/dev/null && cmake --build --preset release >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build/release/bench/analysis_bench --benchmark_repetitions="$runs" \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median|^Benchmark|^-'

# The large shape as a file: 30 schemes over A1..A100, 100,000 random dependencies with 1 to 3
# names on the left and 1 or 2 on the right.
python3 - "$work/large.txt" <<'PY'
import random, sys
r = random.Random(1)
names = [f"A{i}" for i in range(1, 101)]
schemes = [",".join(names[i::30] + r.sample(names, r.randint(1, 4))) for i in range(30)]
deps = [",".join(r.sample(names, r.randint(1, 3))) + "->" + ",".join(r.sample(names, r.randint(1, 2)))
        for _ in range(100000)]
open(sys.argv[1], "w").write("\n".join(schemes) + "\n\n" + "\n".join(deps) + "\n")
PY

median_ms() {  # median_ms <file>: the median wall time of `lossless --json <file>`, in ms
  local times=()
  for ((i = 0; i < runs; i++)); do
    local start end
    start=$(date +%s%N)
    build/release/lossless --json "$1" >/dev/null
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1000 }'
}
for input in examples/*.txt "$work/large.txt"; do
  echo "lossless --json $(basename "$input"), median of $runs: $(median_ms "$input") ms"
done
