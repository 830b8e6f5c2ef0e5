#!/usr/bin/env bash
# One scheme line of 5 million names (a0,a1,...) against `LC_ALL=C sort -u` of the same names, one
# per line: the catalogue of a wide scheme should cost about what sorting its names costs.
#
#   bash bench/catalogue.sh [runs] [names]     (default 5 runs of 5000000 names)
#
# Both commands run `runs` times, taking turns, with standard output to /dev/null; the script prints
# each one's median wall time and their ratio, all measured in this one run.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
count=${2:-5000000}

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
lossless=$PWD/build/release/lossless
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v n="$count" 'BEGIN { for (k = 0; k < n; k++) printf "%sa%d", (k ? "," : ""), k; print "" }' \
  >"$work/line.txt"
tr ',' '\n' <"$work/line.txt" >"$work/names.txt"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# timed <file> <command>...: appends the command's wall seconds to the file.
timed() {
  local into=$1 start end
  shift
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", (b - a) / 1e9 }' >>"$into"
}

for ((i = 0; i < runs; i++)); do
  timed "$work/sort" env LC_ALL=C sort -u "$work/names.txt"
  timed "$work/lossless" "$lossless" "$work/line.txt" "$work/result.txt"
done
# The run must have been a full one: the result file repeats the line.
cmp -s <(head -n 1 "$work/result.txt") "$work/line.txt" || { echo "lossless did not finish" >&2; exit 1; }

sort_median=$(median <"$work/sort")
lossless_median=$(median <"$work/lossless")
printf '%-28s %8s s\n' "sort -u, median of $runs" "$sort_median" \
  "lossless, median of $runs" "$lossless_median"
printf '%-28s %8s\n' "ratio" "$(awk -v a="$lossless_median" -v b="$sort_median" 'BEGIN { printf "%.2f", a / b }')"
