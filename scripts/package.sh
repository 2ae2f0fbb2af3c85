#!/usr/bin/env bash
# Builds Tidemark (Release) and the Debian package build/release/tidemark_*.deb.
# Install it with: sudo apt install ./build/release/tidemark_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIDEMARK_BUILD_TESTS=OFF \
  -DTIDEMARK_BUILD_APP=ON -DTIDEMARK_BUILD_BENCH=OFF
cmake --build build/release -j "$(nproc)"
(cd build/release && cpack -G DEB)
ls build/release/tidemark_*.deb
