#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for the
# given number of seconds (default 60), one after the other; naming targets
# after the time runs only those. Corpora grow in build-fuzz/corpus/<target>
# across runs; crashes land in build-fuzz/artifacts/, each run's output in
# build-fuzz/logs/<target>.log (the last lines hold the executions and the
# coverage reached).
#   fuzz/run.sh 600                      all four targets, ten minutes each
#   fuzz/run.sh 600 fuzz_package         one of them
set -euo pipefail

seconds=${1:-60}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

command -v clang++ >/dev/null || { echo "fuzz: clang++ is needed (apt-get install clang)" >&2; exit 1; }
CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" -j2

# Each target gets the seeds of its own kind (make_seeds names them so).
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds/all" "$build/artifacts" "$build/logs"
"$build/make_seeds" "$seeds/all"
declare -A kinds=(
  [fuzz_bmp]="bmp"
  [fuzz_load]="bmp jpeg png gif"
  [fuzz_int_list]="list"
  [fuzz_package]="package"
)

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$root"/fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

for target in "${targets[@]}"; do
  [ -n "${kinds[$target]+set}" ] || { echo "fuzz: no such target: $target" >&2; exit 2; }
  seed_dir="$seeds/$target"
  mkdir -p "$seed_dir"
  for kind in ${kinds[$target]}; do cp "$seeds/all/$kind"-* "$seed_dir/"; done
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s" >&2
  # The first folder receives new inputs; the seeds are read only.
  "$build/$target" "$corpus" "$seed_dir" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" 2>&1 | tee "$build/logs/$target.log"
done
