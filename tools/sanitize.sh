#!/usr/bin/env bash
# Builds the tests with clang's sanitizers and runs them, in two runs:
#   address  address + undefined behaviour, the whole suite (screens included)
#   thread   the thread sanitizer, over the libraries that hand work to other
#            threads: video (with its effects), audio, editor, export, app
# Both run by default; name one to run only it. Each run has its own build
# folder (build-asan, build-tsan), so the ordinary build/ is left alone.
# VELLUMTIDE_SANITIZE_JOBS sets the build and test parallelism (default 3:
# sanitized builds and runs take several times the memory of plain ones).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
supp="$root/tools/sanitize"
jobs="${VELLUMTIDE_SANITIZE_JOBS:-3}"
runs=("$@")
[ ${#runs[@]} -gt 0 ] || runs=(address thread)

bash "$root/tools/setup.sh"

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# configure <build dir> <sanitizer flags>
configure() {
  local dir=$1 flags="$2 -fno-omit-frame-pointer"
  # Line tables are enough for the reports' stacks and keep the build's
  # memory use within reach of a shared machine.
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
    -DVELLUMTIDE_BENCHMARKS=OFF \
    "-DCMAKE_C_FLAGS=$flags" "-DCMAKE_CXX_FLAGS=$flags" \
    "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG" \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG" \
    "-DCMAKE_EXE_LINKER_FLAGS=$flags" >/dev/null
}

# run_tests <test dir>...: runs the tests under each folder, all of them even
# when some fail, and fails at the end if any did.
run_tests() {
  local status=0 dir
  for dir in "$@"; do
    ctest --test-dir "$dir" --output-on-failure -j"$jobs" || status=1
  done
  return $status
}

export QT_QPA_PLATFORM=offscreen
symbolizer=$(command -v llvm-symbolizer || true)
status=0
for run in "${runs[@]}"; do
  case "$run" in
    address)
      build="$root/build-asan"
      configure "$build" "-fsanitize=address,undefined"
      cmake --build "$build" -j"$jobs"
      echo "sanitize: address + undefined behaviour, the whole suite"
      ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1${symbolizer:+:external_symbolizer_path=$symbolizer}" \
      LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0" \
      UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp" \
        run_tests "$build/tests" || status=1
      ;;
    thread)
      build="$root/build-tsan"
      configure "$build" "-fsanitize=thread"
      cmake --build "$build" -j"$jobs" --target video_tests effects_tests audio_tests editor_tests export_tests app_tests
      echo "sanitize: thread, the libraries that use threads"
      # Qt, FFmpeg and OpenCV are not built with the sanitizer: their own
      # loads and stores are unseen, and so is much of their hand-over between
      # threads. Their calls to memset, free and the like are left unchecked
      # too, or every buffer their worker threads fill and ours later free
      # would be reported. Our own code's accesses are all still checked.
      TSAN_OPTIONS="ignore_noninstrumented_modules=1:halt_on_error=0:exitcode=66:second_deadlock_stack=1:suppressions=$supp/tsan.supp:print_suppressions=0${symbolizer:+:external_symbolizer_path=$symbolizer}" \
        run_tests "$build/tests/video" "$build/tests/audio" "$build/tests/editor" "$build/tests/export" "$build/tests/app" || status=1
      ;;
    *)
      echo "sanitize: unknown run '$run' (address or thread)" >&2
      exit 2
      ;;
  esac
done
exit $status
