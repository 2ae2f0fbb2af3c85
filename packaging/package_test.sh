#!/usr/bin/env bash
# Builds the package from this build tree, unpacks it into a temporary root
# (dpkg -x) and starts the unpacked program through its /usr/bin link under
# Xvfb with "/h 12": the help window must come up, which it only
# does when the program found tidemark.tmh beside its resolved executable.
# A copy of the program without the help note must instead report it missing.
# The D-Bus activation file must start the installed program resident.
#   package_test.sh BUILD_DIR WORK_DIR PROFILE_MAKER
set -euo pipefail
build="$1" work="$2" profile_maker="$3"
rm -rf "$work" && mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >cpack.log 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/out/tidemark_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "cpack made no tidemark_*.deb"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries: $(dpkg-deb -f "$deb" Depends)"

root="$work/root"
dpkg -x "$deb" "$root"
for path in usr/lib/tidemark/tidemark usr/lib/tidemark/tidemark.tmh usr/bin/tidemark-tool \
            usr/share/applications/tidemark.desktop usr/share/mime/packages/tidemark.xml \
            usr/share/mime/packages/tidemark-help.xml usr/share/icons/hicolor/scalable/apps/tidemark.svg \
            usr/share/dbus-1/services/org.corvane.Tidemark.service; do
  [ -e "$root/$path" ] || fail "the package has no /$path"
done
[ "$(readlink "$root/usr/bin/tidemark")" = "../lib/tidemark/tidemark" ] ||
  fail "/usr/bin/tidemark is not a link to ../lib/tidemark/tidemark"
service="$root/usr/share/dbus-1/services/org.corvane.Tidemark.service"
grep -qx 'Name=org.corvane.Tidemark' "$service" &&
  grep -qx 'Exec=/usr/lib/tidemark/tidemark -Embedding' "$service" ||
  fail "the D-Bus activation file does not start /usr/lib/tidemark/tidemark -Embedding: $(cat "$service")"
"$root/usr/bin/tidemark-tool" check "$root/usr/lib/tidemark/tidemark.tmh" >/dev/null ||
  fail "the installed help note does not load"

# A profile of a returning user, so that no first-run dialog comes first.
home="$work/home"
mkdir -p "$home"
HOME="$home" XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=offscreen \
  "$profile_maker" --items 10 --runs 1 --profile "$home" >/dev/null

# Prints the names of the top-level windows that PROGRAM shows within a few seconds.
window_names() {
  HOME="$home" XDG_CONFIG_HOME="$home/config" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c '
      "$@" &
      pid=$!
      for _ in $(seq 1 40); do
        sleep 0.25
        xwininfo -root -children 2>/dev/null | grep -q "\"Tidemark" && break
      done
      sleep 0.5
      xwininfo -root -children 2>/dev/null | grep -o "\"[^\"]*\"" || true
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    ' names "$@"
}

names=$(window_names "$root/usr/bin/tidemark" /h 12)
echo "$names" | grep -q '"Tidemarkヘルプ"' || fail "the installed program showed no help window: $names"

cp "$root/usr/lib/tidemark/tidemark" "$work/alone"
names=$(window_names "$work/alone" /h 12)
echo "$names" | grep -q '"Tidemarkヘルプ"' && fail "a program without its help note showed a help window"
echo "$names" | grep -q '"Tidemark"' || fail "a program without its help note did not say so: $names"
echo "package test passed: $deb"
