#!/usr/bin/env bash
# Builds Tidemark (Release) and starts it on a sample note.
#
# With a display ($DISPLAY or $WAYLAND_DISPLAY) the program opens there with
# your own settings. Without one it runs under Xvfb with a profile of its own
# (build/run-home, prepared like that of a returning user, so that neither
# the first-run choice nor your settings come into play), leaves a screenshot
# in build/screenshot.png and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIDEMARK_BUILD_TESTS=OFF \
  -DTIDEMARK_BUILD_APP=ON -DTIDEMARK_BUILD_BENCH=ON
cmake --build build/release -j "$(nproc)"

program=build/release/src/app/tidemark
if [ ! -x "$program" ]; then
  echo "the build made no $program" >&2
  exit 1
fi
notes=()
if [ -x build/release/bench/make_sample_note ]; then
  sample=build/release/sample.tmk
  build/release/bench/make_sample_note --items 2000 "$sample"
  notes=("$sample")
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" "${notes[@]}"
fi

home="$PWD/build/run-home"
mkdir -p "$home"
if [ -x build/release/bench/startup_bench ]; then
  # Prepares the profile and reports how long a start with the sample note takes.
  build/release/bench/startup_bench --items 2000 --runs 1 --profile "$home"
fi
shot="$PWD/build/screenshot.png"
rm -f "$shot"
HOME="$home" XDG_CONFIG_HOME="$home/config" xvfb-run -a -s "-screen 0 1280x800x24" \
  bash -c '
    "$1" "${@:3}" &
    pid=$!
    sleep 5
    if ! kill -0 "$pid" 2>/dev/null; then
      code=0
      wait "$pid" || code=$?
      echo "Tidemark ended early with code $code" >&2
      exit 1
    fi
    import -window root -trim +repage "$2"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  ' run "$program" "$shot" "${notes[@]}"
echo "screenshot: $shot"
