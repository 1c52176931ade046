#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
# in its own build folder (build-sanitize/). Non-zero on any failure or finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build-sanitize"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEL_SANITIZE=ON >/dev/null
fi
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
# Leaks that Qt's and fontconfig's own caches keep until exit are theirs, not ours.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="abort_on_error=0:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
