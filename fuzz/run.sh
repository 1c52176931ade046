#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for the
# given number of seconds (default 60), one after the other. Corpora grow in
# build-fuzz/corpus/<target> across runs; crashes land in
# build-fuzz/artifacts/.
#   fuzz/run.sh 300
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

command -v clang++ >/dev/null || { echo "fuzz: clang++ is needed (apt-get install clang)" >&2; exit 1; }
CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" -j2

seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds/all" "$seeds/bmp" "$build/artifacts"
"$build/make_seeds" "$seeds/all"
cp "$seeds/all"/bmp-* "$seeds/bmp/"

for source in "$root"/fuzz/fuzz_*.cpp; do
  target=$(basename "$source" .cpp)
  case "$target" in
    fuzz_bmp) seed_dir="$seeds/bmp" ;;
    *) seed_dir="$seeds/all" ;;
  esac
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s" >&2
  # The first folder receives new inputs; the seeds are read only.
  "$build/$target" "$corpus" "$seed_dir" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-"
done
