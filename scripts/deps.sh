#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, running and testing Tockly need.
# Idempotent: asks dpkg first and only runs apt-get when something is missing.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config clang libclang-rt-14-dev
  # Qt 6 and the libraries the program links
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev libsndfile1-dev
  # Chinese: Qt's own translations and CJK fonts
  qt6-translations-l10n fonts-noto-cjk fonts-arphic-ukai
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # end-to-end tests: a private X server and tools to look at its windows
  xvfb xdotool x11-utils imagemagick
  # platform tests: mock logind and session manager on private buses, a null-sink sound server
  dbus-daemon python3-dbusmock pulseaudio pulseaudio-utils
  # time synchronisation tests: a real NTP server, run by the test on a loopback port
  chrony
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "deps.sh: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
