#!/usr/bin/env bash
# Times `tidemark-tool export` on a large sample note the way a user runs it, with
# /usr/bin/time: wall-clock time and peak memory of the whole command, load included.
#
#   bench/export_bench.sh [BUILD_DIR] [ITEMS]      (defaults: build/release, 100000)
#
# The sample has ITEMS memos in groups of 10, bodies of about 60 words of Japanese and
# English. Use a Release build; figures from other builds mean little.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
items=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/make_sample_note" --items "$items" --fanout 10 --seed 1 "$work/sample.tmk"
/usr/bin/time -v "$build/tools/tidemark-tool/tidemark-tool" export "$work/sample.tmk" \
    "$work/sample.txt" 2> "$work/time.txt"
grep -E "Elapsed \(wall clock\)|Maximum resident set size|User time|System time" "$work/time.txt"
echo "output: $(stat -c %s "$work/sample.txt") bytes"
"$build/bench/export_bench" "$work/sample.tmk"
