#!/usr/bin/env bash
# Installs the Debian 12 packages Tidemark needs to build, test and run.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-declarative-dev qt6-svg-dev qt6-tools-dev-tools qt6-translations-l10n
  libonig-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-noto-cjk xvfb xauth x11-apps x11-utils imagemagick xdotool trayer dbus python3 python3-dbus libglib2.0-bin
  dpkg-dev desktop-file-utils libxml2-utils shared-mime-info poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
