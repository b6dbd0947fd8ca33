#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds and starts the clock. Arguments go to the program
# (for example --home DIR to keep the data files elsewhere).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/deps.sh

build_dir=${TOCKLY_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --target clock tockly_dist_skins tockly_voice_pack
exec "$build_dir/dist/clock" "$@"
