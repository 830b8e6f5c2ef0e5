#!/usr/bin/env bash
# Builds the fuzz targets and runs one of them for the given number of seconds: fuzz_run (the run
# and the check; the default), fuzz_design (design mode) or fuzz_tidy (the tidy-up). It starts from
# the seed corpus in fuzz/corpus and keeps the inputs it finds in build/fuzz/corpus (corpus_design,
# corpus_tidy for the others), so later runs go on from there. A crash, a broken rule or an input slower than
# 10 s stops it with a non-zero exit and leaves the input in build/fuzz/ (crash-*, timeout-*, oom-*).
#
#   fuzz/run.sh <seconds> [run|design|tidy]
set -euo pipefail
seconds=${1:?usage: fuzz/run.sh <seconds> [run|design|tidy]}
target=${2:-run}
cd "$(dirname "$0")/.."

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus=build/fuzz/corpus
[[ $target == run ]] || corpus=build/fuzz/corpus_$target
mkdir -p "$corpus"
"build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -dict=fuzz/lossless.dict -artifact_prefix=build/fuzz/ "$corpus" fuzz/corpus
