#!/bin/sh
# Pictures of every window and message of Nicset, made by driving the real
# program under Wine and Xvfb.
#   tools/screenshots.sh [FOLDER]     PNG files go to FOLDER (build/screens)
set -eu
cd "$(dirname "$0")/.."
out=${1:-build/screens}

# The tour puts its pictures beside itself, in the build that run-wine-tool
# picks for this machine's Wine.
win=$(scripts/build-win.sh "$(scripts/wine-arch.sh first)" Nicset nicset_Screenshots)
rm -rf "$win/screens"
tools/run-wine-tool.sh nicset_Screenshots
mkdir -p "$out"
for picture in "$win"/screens/*.bmp; do
    convert "$picture" "$out/$(basename "$picture" .bmp).png"
done
echo "Screenshots in $out"
