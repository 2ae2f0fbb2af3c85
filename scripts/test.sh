#!/usr/bin/env bash
# Builds Tidemark and runs every test: once normally, then the core tests
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"

cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build/debug -j "$jobs"
(cd build/debug && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIDEMARK_SANITIZE=ON -DTIDEMARK_BUILD_APP=OFF
cmake --build build/asan -j "$jobs"
(cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs" -L core)

# The parsers of untrusted bytes, fuzzed for a bounded time.
scripts/fuzz.sh 30
