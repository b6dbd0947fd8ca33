#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building and running Tockly need, and with
# --tests also those its tests run (a private X server, mock D-Bus services, a
# sound server, an NTP server...), which a user who only runs the clock should
# not get: chrony, for one, replaces the system's own time service.
# Idempotent: asks dpkg first and only runs apt-get when something is missing.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config clang libclang-rt-14-dev
  # Qt 6 and the libraries the program links
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev libsndfile1-dev
  # the lunar calendar's tables (a GLib library)
  liblunar-date-dev
  # plain X (xcb): the flash-and-shake library (with the PulseAudio client, no
  # Qt) and the clock's digits copied on the X server
  libxcb1-dev libpulse-dev
  # the voice pack: espeak-ng speaks the words, the GNU resource compiler and
  # linker for Windows targets (with the host's C preprocessor) pack them
  espeak-ng binutils-mingw-w64-i686 cpp
  # Chinese: Qt's own translations and CJK fonts
  qt6-translations-l10n fonts-noto-cjk fonts-arphic-ukai
  # the test and benchmark programs, configured with the rest of the build
  googletest libgtest-dev libgmock-dev libbenchmark-dev
)

test_packages=(
  # end-to-end tests: a private X server and tools to look at its windows
  xvfb xdotool x11-utils imagemagick
  # the idle benchmark's yardstick: xclock -digital -update 1
  x11-apps
  # platform tests: mock logind and session manager on private buses, a null-sink sound server
  dbus-daemon python3-dbusmock pulseaudio pulseaudio-utils
  # flash library tests: a window manager that frames windows, and the font it needs
  twm xfonts-base
  # end-to-end tests of the speaking clock: a program started just before an
  # announcement, on a shifted clock of its own
  faketime
  # time synchronisation tests: a real NTP server, run by the test on a loopback port
  chrony
  # scripting tests: busctl calls the clock's session-bus interface
  systemd
)

case "${1:-}" in
  --tests) packages+=("${test_packages[@]}") ;;
  "") ;;
  *) echo "usage: deps.sh [--tests]" >&2; exit 2 ;;
esac

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
