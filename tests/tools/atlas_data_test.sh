#!/usr/bin/env bash
# Regenerates the atlas tables from the pinned sources and compares them with the committed
# ones, runs the pipeline's unit tests, and checks the regime lists against zdump.
# Usage: atlas_data_test.sh SOURCE_DIR
set -euo pipefail
src=${1:?source directory}
tool="$src/tools/atlas-data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for cmd in node zdump cmp; do
  command -v "$cmd" >/dev/null || { echo "atlas data test: $cmd is missing (see scripts/packages.txt)"; exit 1; }
done

node --test "$src/tests/tools/atlas_data_lib.test.mjs" "$src/tests/tools/atlas_data_places.test.mjs"

# Install the pinned sources unless they are already there in the pinned versions. Without
# npm (Node.js from a vendor whose package stands in for Debian's npm) the sources cannot
# be fetched: the committed tables are then checked but not regenerated.
have_sources() {
  (cd "$tool" && node -e '
    const pins = require("./package.json").dependencies;
    for (const [p, v] of Object.entries(pins)) if (require(`${p}/package.json`).version !== v) process.exit(1);
  ' 2>/dev/null)
}
if ! have_sources; then
  if command -v npm >/dev/null; then
    (cd "$tool" && npm ci --no-audit --no-fund --prefer-offline --loglevel=error)
  else
    echo "atlas data test: npm is missing, the tables are not regenerated (SKIPPED: regeneration)"
    node "$tool/check.mjs" --out "$tool/out" --pairs 200
    exit $?
  fi
fi

node "$tool/build.mjs" --out "$work/out" > "$work/build.json"

status=0
for f in italia_localities.tsv estero_localities.tsv; do
  if ! cmp -s "$tool/out/$f" "$work/out/$f"; then
    echo "atlas data test: regenerated $f differs from the committed one"
    diff "$tool/out/$f" "$work/out/$f" | head -20 || true
    status=1
  fi
done

# The regime lists depend on the system's tz data as well: compare them when the version
# is the one they were built from, otherwise say so and rely on the zdump check below.
tz_of() { sed -n 's/.*IANA tzdata \([^.]*\)\..*/\1/p' "$1" | head -1; }
committed_tz=$(tz_of "$tool/out/estero_regimes.tsv")
system_tz=$(tz_of "$work/out/estero_regimes.tsv")
if [ "$committed_tz" = "$system_tz" ]; then
  for f in italia_regimes.tsv estero_regimes.tsv; do
    if ! cmp -s "$tool/out/$f" "$work/out/$f"; then
      echo "atlas data test: regenerated $f differs from the committed one"
      diff "$tool/out/$f" "$work/out/$f" | head -20 || true
      status=1
    fi
  done
else
  echo "atlas data test: system tzdata $system_tz, tables built from $committed_tz; regime files not compared"
fi

node "$tool/check.mjs" --out "$work/out" --pairs 200 || status=1
exit $status
