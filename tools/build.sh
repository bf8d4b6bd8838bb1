#!/usr/bin/env bash
# Sets up (when needed) and builds into build/. Extra arguments go to cmake --build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
build="${VELLUMTIDE_BUILD_DIR:-$root/build}"
# CI builds only what the tests run, without debug information, to stay
# quick on small machines; a developer's build keeps both.
extra=()
if [[ "${VELLUMTIDE_CI_BUILD:-0}" == 1 ]]; then
  extra=(-DVELLUMTIDE_BENCHMARKS=OFF "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG")
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" >/dev/null
cmake --build "$build" "$@"
