#!/usr/bin/env bash
# Sets everything up, builds, and starts Vellumtide.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${VELLUMTIDE_BUILD_DIR:-$root/build}"
bash "$root/tools/build.sh" --target vellumtide
exec "$build/src/program/vellumtide" "$@"
