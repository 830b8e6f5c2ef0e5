#!/usr/bin/env bash
# The tidy-up of a large exercise typed as textbooks print it: the relation above its parts, named
# schemes in parentheses and braces or as blank-separated names, trailing comments, dependencies in
# mixed notation ("A1B7 -> C3" where A1 and B7 are scheme names), several on a line after "F =",
# and the other arrows. `lossless --tidy` on it should take well under a second.
#
#   bash bench/tidy.sh [runs] [megabytes]     (default 5 runs of a 5 MB input)
#
# Runs `lossless --tidy <input>` `runs` times with standard output to /dev/null and prints the
# input's size and the median wall time. Standard error, a line per rewrite, goes to /dev/null too.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
megabytes=${2:-5}

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
lossless=$PWD/build/release/lossless
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 2600 names A1..Z100; half the bytes are scheme lines of 4 to 6 names, half dependency lines.
python3 - "$work/exercise.txt" "$megabytes" <<'PY'
import random, sys
r = random.Random(1)
size = int(float(sys.argv[2]) * 1_000_000)
names = [f"{chr(65 + k % 26)}{k // 26 + 1}" for k in range(2600)]
lines = ["R(" + ", ".join(names) + ")  # the relation"]
total = len(lines[0])
k = 0
while total < size // 2:
    k += 1
    items = r.sample(names, r.randint(4, 6))
    line = [f"R{k} = ({', '.join(items)})", f"R{k}{{{','.join(items)}}}", f"R{k} = {{{', '.join(items)}}}",
            " ".join(items)][k % 4]
    if k % 3 == 0:
        line += "   # part"
    lines.append(line)
    total += len(line) + 1
lines.append("")
while total < size:
    k += 1
    a, b, c, d, e = r.sample(names, 5)
    line = [f"F = {{{a}{b} -> {c}, {d} -> {e}{a}}}", f"{a} {b} \u2192 {c}", f"{{{a}, {b}}} => {c}  // given",
            f"{a} \u21d2 {b}{c}; {d} --> {e}"][k % 4]
    lines.append(line)
    total += len(line.encode()) + 1
open(sys.argv[1], "w", encoding="utf-8").write("\n".join(lines) + "\n")
PY

# The run must have tidied: the relation above its parts is dropped. Its list of rewrites, one
# line each on standard error, goes to /dev/null in every run.
"$lossless" --tidy "$work/exercise.txt" >"$work/tidied.txt" 2>/dev/null
if cmp -s <(head -n 1 "$work/tidied.txt") <(head -n 1 "$work/exercise.txt"); then
  echo "lossless --tidy did not tidy" >&2
  exit 1
fi

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  "$lossless" --tidy "$work/exercise.txt" >/dev/null 2>&1
  end=$(date +%s%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", (b - a) / 1e9 }' >>"$work/times"
done
printf '%-28s %8s MB\n' "input" "$(awk -v b="$(wc -c <"$work/exercise.txt")" 'BEGIN { printf "%.1f", b / 1e6 }')"
printf '%-28s %8s s\n' "lossless --tidy, median of $runs" "$(median <"$work/times")"
