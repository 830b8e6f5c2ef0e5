#!/usr/bin/env bash
# Builds the fuzz target and runs it for the given number of seconds. It starts from the seed corpus
# in fuzz/corpus and keeps the inputs it finds in build/fuzz/corpus, so later runs go on from there.
# A crash, a broken rule or an input slower than 10 s stops it with a non-zero exit and leaves the
# input in build/fuzz/ (crash-*, timeout-*, oom-*).
set -euo pipefail
seconds=${1:?usage: fuzz/run.sh <seconds>}
cd "$(dirname "$0")/.."

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus
build/fuzz/fuzz/fuzz_run -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -dict=fuzz/lossless.dict -artifact_prefix=build/fuzz/ build/fuzz/corpus fuzz/corpus
