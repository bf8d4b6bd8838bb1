#!/usr/bin/env bash
# Sets up (when needed) and builds into build/. Extra arguments go to cmake --build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
build="${VELLUMTIDE_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" "$@"
