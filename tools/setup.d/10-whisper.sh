#!/usr/bin/env bash
# whisper.cpp 1.9.1 from the nodejs-whisper npm package, built once as static
# libraries (examples and tests off, native CPU features on) and installed into
# .deps/whisper, where CMake finds it.
set -euo pipefail
root=$1 deps=$2
prefix="$deps/whisper"
stamp="$prefix/.built-1.9.1"
[ -f "$stamp" ] && exit 0

work="$deps/whisper-src"
rm -rf "$work" && mkdir -p "$work"
echo "setup: fetching the whisper.cpp source"
(cd "$work" && npm pack --silent nodejs-whisper@0.3.1 >/dev/null && tar xzf nodejs-whisper-0.3.1.tgz)
src="$work/package/cpp/whisper.cpp"
[ -f "$src/CMakeLists.txt" ] || { echo "setup: whisper.cpp source not found in the npm package" >&2; exit 1; }

echo "setup: building whisper.cpp"
cmake -S "$src" -B "$deps/whisper-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_SHARED_LIBS=OFF -DWHISPER_BUILD_EXAMPLES=OFF -DWHISPER_BUILD_TESTS=OFF \
  -DWHISPER_BUILD_SERVER=OFF -DGGML_NATIVE=ON -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
  -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build "$deps/whisper-build" >/dev/null
cmake --install "$deps/whisper-build" >/dev/null
mkdir -p "$prefix/bin"  # its CMake config insists on the folder
rm -rf "$work" "$deps/whisper-build"
touch "$stamp"
