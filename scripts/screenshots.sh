#!/bin/sh
# Pictures of every window and message of Nicset, made by driving the real
# program under Wine and Xvfb.
#   scripts/screenshots.sh [FOLDER]     PNG files go to FOLDER (build/screens)
set -eu
cd "$(dirname "$0")/.."
out=${1:-build/screens}

rm -rf build/win/screens
scripts/run-wine-tool.sh nicset_Screenshots
mkdir -p "$out"
for picture in build/win/screens/*.bmp; do
    convert "$picture" "$out/$(basename "$picture" .bmp).png"
done
echo "Screenshots in $out"
