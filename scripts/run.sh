#!/usr/bin/env bash
# Builds what is missing and starts the authoring tool in a sample folder.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
sample="$root/sample"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run: no display: set DISPLAY or WAYLAND_DISPLAY (or QT_QPA_PLATFORM) to start the window" >&2
  exit 1
fi

bash "$root/scripts/setup.sh"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target zelforge zelfin nviewlib zelforge_make_sample

if [ ! -d "$sample" ]; then
  "$build/tools/zelforge_make_sample" "$sample"
  echo "run: made $sample (old JPEGs; corrected versions in corrected/; package/ for the distribution file)" >&2
fi

cd "$sample"
exec "$build/dist/zelforge"
