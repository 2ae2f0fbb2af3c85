#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time,
# starting from the hand-made fixtures (notes; frames for the instance
# messages). Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DTIDEMARK_FUZZ=ON -DTIDEMARK_BUILD_APP=OFF -DTIDEMARK_BUILD_TESTS=OFF >/dev/null
targets=(note_file_fuzz item_block_fuzz settings_values_fuzz instance_message_fuzz)
cmake --build build/fuzz -j "$(nproc)" --target "${targets[@]}"
for target in "${targets[@]}"; do
  corpus="build/fuzz/corpus/$target"
  mkdir -p "$corpus"
  case "$target" in
    instance_message_fuzz) seeds=(tests/fixtures/instance/*.frame) ;;
    *) seeds=(tests/fixtures/notes/*.tmk) ;;
  esac
  cp -n "${seeds[@]}" "$corpus/" 2>/dev/null || true
  echo "fuzzing $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" \
    -max_len=65536 -print_final_stats=1 -artifact_prefix=build/fuzz/ "$corpus" 2>&1 | tail -n 12
done
