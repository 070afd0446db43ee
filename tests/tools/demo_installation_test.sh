#!/usr/bin/env bash
# Regenerates the demo subjects and default settings into a scratch folder and compares them with
# the committed installation files, byte for byte.
set -euo pipefail
root=$1
cli=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ln -s "$root/installation/FilePosi" "$scratch/FilePosi"
bash "$root/tools/demo-installation/make-demo-installation.sh" "$cli" "$scratch" > /dev/null
rm "$scratch/FilePosi"
status=0
count=0
while read -r f; do
  count=$((count + 1))
  if ! cmp -s "$scratch/$f" "$root/installation/$f"; then
    echo "differs from the committed installation: $f"
    status=1
  fi
done < <(cd "$scratch" && find . -type f | sort)
echo "$count demo files regenerated and compared"
exit $status
