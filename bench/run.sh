#!/usr/bin/env bash
# Benchmarks of the whole program on generated inputs, then of the chase alone.
#
#   bash bench/run.sh [runs]     (default 5 runs per measurement; needs GNU time)
#
# Each input is run `runs` times with standard output going through a pipe; the table shows the
# median wall time and median peak memory, and each input's ratio to its baseline (the same input
# with an empty dependency block: the same tableaux built and printed, nothing chased), all
# measured in this one run. "pipe" is the time `cat` takes to carry the baseline's standard output
# through a pipe, the floor for a run that prints it.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
[[ -x /usr/bin/time ]] || { echo "bench/run.sh needs GNU time: apt-get install time" >&2; exit 1; }

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
lossless=build/release/lossless
generate=build/release/bench/generate
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f\n", (b - a) / 1e9 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'; }

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# run_lossless <input>: one run; appends wall seconds to $work/wall and peak KB to $work/rss.
run_lossless() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$work/rss.one" "$lossless" "$1" "$work/result" 2>/dev/null | cat >/dev/null
  end=$(date +%s%N)
  seconds "$start" "$end" >>"$work/wall"
  cat "$work/rss.one" >>"$work/rss"
}

# measure <input>: sets wall (s) and rss (MB), medians over $runs runs.
measure() {
  : >"$work/wall"
  : >"$work/rss"
  for ((i = 0; i < runs; i++)); do run_lossless "$1"; done
  wall=$(median <"$work/wall")
  rss=$(median <"$work/rss" | awk '{ printf "%.1f", $1 / 1024 }')
}

pipe_time() {
  : >"$work/pipe"
  for ((i = 0; i < runs; i++)); do
    local start end
    start=$(date +%s%N)
    cat "$1" | cat >/dev/null
    end=$(date +%s%N)
    seconds "$start" "$end" >>"$work/pipe"
  done
  median <"$work/pipe"
}

printf '%-22s %10s %10s %12s %8s %12s\n' input "wall (s)" "peak (MB)" "baseline (s)" ratio "bytes/cell"
for family in "chain 2000" "wide 1000 1000 10000" "chain 5000"; do
  read -r -a args <<<"$family"
  "$generate" "${args[@]}" >"$work/input"
  "$generate" "${args[@]}" --baseline >"$work/baseline"
  measure "$work/baseline"
  base_wall=$wall
  measure "$work/input"
  # Tableau cells: (schemes + 1) rows times attributes, both read off the catalogue line.
  "$lossless" "$work/baseline" "$work/result" >"$work/stdout"
  cells=$(awk '/^n: / { print ($2 + 1) * $4; exit }' "$work/stdout")
  printf '%-22s %10s %10s %12s %8s %12s\n' "$family" "$wall" "$rss" "$base_wall" \
    "$(ratio "$wall" "$base_wall")" "$(awk -v mb="$rss" -v n="$cells" 'BEGIN { printf "%.1f", mb * 1048576 / n }')"
  if [[ $family == "chain 2000" ]]; then
    pipe=$(pipe_time "$work/stdout")
    printf '%-22s %10s %10s %12s %8s\n' "pipe (chain 2000)" "$pipe" "" "" "$(ratio "$base_wall" "$pipe")"
    echo "  (ratio of the chain 2000 baseline to the pipe; stdout $(wc -c <"$work/stdout") bytes)"
  fi
done

echo
build/release/bench/chase_bench --benchmark_filter='/200' 2>/dev/null
