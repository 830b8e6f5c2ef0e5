#!/usr/bin/env bash
# Runs lossless on inputs at the edge of size and shows the wall time and peak memory of each.
# Too slow for the test suite; run it by hand after a change to a stage's cost:
#   bench/size_check.sh [binary] [case...]
# The binary defaults to build/default/lossless; the cases are long_line (one scheme line of
# 5 000 000 names, 50 MB), many_schemes (100 000 scheme lines over 20 attributes, with a few
# dependencies) and many_dependencies (100 000 dependency lines over 20 attributes). Every run must
# end with exit code 0; the outputs are kept in the work folder for comparison between builds.
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/default/lossless}
shift || true
cases=("$@")
((${#cases[@]})) || cases=(long_line many_schemes many_dependencies)
work=${LOSSLESS_SIZE_DIR:-/tmp/lossless_size}
mkdir -p "$work"

# The 20 attributes A..T; a scheme line names those whose bit is set in a pseudo-random mask.
generate() {
  case $1 in
    long_line)
      awk 'BEGIN { for (k = 1; k <= 5000000; k++) printf "%sN%08d", (k > 1 ? "," : ""), k
                   print ""; print ""; print "N00000001->N00000002" }' ;;
    many_schemes)
      awk 'BEGIN { srand(5); for (k = 1; k <= 100000; k++) { line = ""
                     for (c = 0; c < 20; c++) if (rand() < 0.2) line = line (line == "" ? "" : ",") sprintf("%c", 65 + c)
                     if (line == "") line = "A"
                     print line }
                   print ""; print "A->B"; print "B,C->D"; print "E->F,G"; print "H->T" }' ;;
    many_dependencies)
      awk 'BEGIN { srand(7); print "A,B,C,D,E"; print "E,F,G,H,I,J"; print "J,K,L,M,N,O"
                   print "O,P,Q,R,S,T"; print ""
                   for (k = 1; k <= 100000; k++) {
                     l = sprintf("%c", 65 + int(rand() * 20)); r = sprintf("%c", 65 + int(rand() * 20))
                     if (rand() < 0.5) l = l "," sprintf("%c", 65 + int(rand() * 20))
                     print l "->" r } }' ;;
    *) echo "unknown case: $1" >&2; return 1 ;;
  esac
}

for name in "${cases[@]}"; do
  [[ -f "$work/$name.txt" ]] || generate "$name" >"$work/$name.txt"
  status=0
  /usr/bin/time -f "%e s wall, %M KiB peak RSS" -o "$work/$name.time" \
    "$binary" "$work/$name.txt" "$work/$name.result" >"$work/$name.stdout" 2>"$work/$name.stderr" ||
    status=$?
  printf '%-18s %9s bytes in, exit %d, %s\n' "$name" "$(stat -c %s "$work/$name.txt")" "$status" \
    "$(tail -1 "$work/$name.time")"
  ((status == 0)) || exit 1
done
