#!/usr/bin/env bash
# Line and branch coverage that the corpora grown by run.sh reach, per
# target, over the sources each target is meant to exercise. Builds an
# instrumented copy of the targets into build-fuzz-cov/ and replays
# build-fuzz/corpus/<target> through it once (no fuzzing).
#   fuzz/coverage.sh                 all targets
#   fuzz/coverage.sh fuzz_package    one of them
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz-cov"
corpora="$root/build-fuzz/corpus"
flags="-fprofile-instr-generate -fcoverage-mapping"

CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
ninja -C "$build" -j2 fuzz_bmp fuzz_load fuzz_int_list fuzz_package >/dev/null

declare -A sources=(
  [fuzz_bmp]="nviewlib/bmp_decoder.cpp"
  [fuzz_load]="nviewlib/*.cpp"
  [fuzz_int_list]="platform/int_text.cpp platform/string_list.cpp platform/cp932.cpp package/package_files.cpp zelfin/entry_paths.cpp"
  [fuzz_package]="zelfin/entry_passes.cpp zelfin/entry_paths.cpp package/*.cpp platform/*.cpp nviewlib/*.cpp"
)

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_bmp fuzz_load fuzz_int_list fuzz_package)
for target in "${targets[@]}"; do
  [ -d "$corpora/$target" ] || { echo "coverage: no corpus for $target (run fuzz/run.sh first)" >&2; exit 2; }
  profile="$build/$target.profraw"
  rm -f "$profile"
  LLVM_PROFILE_FILE="$profile" "$build/$target" -runs=0 "$corpora/$target" >/dev/null 2>&1
  llvm-profdata merge -sparse "$profile" -o "$build/$target.profdata"
  files=()
  for pattern in ${sources[$target]}; do files+=($root/$pattern); done
  echo "== $target ($(ls "$corpora/$target" | wc -l) corpus inputs)"
  llvm-cov report "$build/$target" -instr-profile="$build/$target.profdata" "${files[@]}" \
    | sed "s|$root/||"
done
