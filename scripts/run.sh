#!/usr/bin/env bash
# Builds Tidemark (Release) and starts it. Without a display it runs under
# Xvfb and leaves a screenshot in build/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIDEMARK_BUILD_TESTS=OFF
cmake --build build/release -j "$(nproc)"

sample=build/release/sample.tmk
build/release/bench/make_sample_note --items 2000 "$sample"
# The main window comes with the user interface; until then show the sample note's contents.
build/release/tools/tidemark-tool/tidemark-tool check "$sample"
build/release/tools/tidemark-tool/tidemark-tool dump "$sample" | head -c 4000
echo
