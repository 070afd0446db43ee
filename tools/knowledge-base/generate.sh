#!/bin/sh
# Regenerates installation/OpzioneH and installation/OpzioneS from tools/knowledge-base/data/*.csv.
# Usage: tools/knowledge-base/generate.sh [BUILD_DIR]   (default: build/knowledge-base)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-"$root/build/knowledge-base"}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target knowledge-base-generate >/dev/null
# A fresh folder, so files of an older generation cannot survive; then the generated files replace
# the installation's.
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$build/tools/knowledge-base/knowledge-base-generate" "$root/tools/knowledge-base/data" "$out"
for sub in OpzioneH OpzioneS; do
  if [ -d "$out/$sub" ]; then
    mkdir -p "$root/installation/$sub"
    cp "$out/$sub"/* "$root/installation/$sub/"
  fi
done
echo "scritti: $(cd "$out" && find . -type f | sort | tr '\n' ' ')"
