#!/bin/sh
# Runs every benchmark and prints one table (Markdown) of best and median
# times: the configuration file natively (Release build) and in the Windows
# program under Wine, the main window with 10,000 configurations, Apply's
# registry writes beside the same writes as "reg add" processes, one
# reading of an interface's live state (the status bar's), and the size of
# the shipped program. Timings on a shared machine are noisy: compare
# medians, and several runs of this script.
#   tools/bench.sh [rounds]     (at least 5; default 5)
set -eu
cd "$(dirname "$0")/.."
rounds=${1:-5}
[ "$rounds" -ge 5 ] || rounds=5

scripts/deps.sh
arch=$(scripts/wine-arch.sh first)
scratch=$(mktemp -d)
harness=build/bench-harness
trap 'scripts/wine-harness.sh teardown "$harness" >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT

# The rows the programs print ("row", what, best, median, runs, remark),
# prefixed with the part they belong to. Wine's console ends lines in CR LF.
rows() { # part
    awk -F'\t' -v part="$1" '{ sub(/\r$/, "") } $1 == "row" { printf "| %s: %s | %s | %s | %s | %s |\n", part, $2, $3, $4, $5, $6 }'
}

echo "Building (native Release, Windows $arch-bit, shipped 32-bit)..." >&2
cmake -S . -B build/bench-native -DCMAKE_BUILD_TYPE=Release >build/bench-native.configure.log 2>&1 ||
    { cat build/bench-native.configure.log >&2; exit 1; }
cmake --build build/bench-native --target bench_config_file -j "$(nproc)" >build/bench-native.build.log 2>&1 ||
    { cat build/bench-native.build.log >&2; exit 1; }
win=$(scripts/build-win.sh "$arch" Nicset bench_config_file nicset_UiBenchmark wine_desktop_keeper)
ship=$(scripts/build-win.sh 32 Nicset)

echo "Native file benchmark..." >&2
build/bench-native/bench_config_file "$scratch" "$rounds" >"$scratch/native.txt"

echo "Windows file and main window benchmarks under $arch-bit Wine..." >&2
scripts/wine-harness.sh setup "$harness" "$arch" "$win/wine_desktop_keeper.exe" >/dev/null
(cd "$scratch" && "$OLDPWD/scripts/wine-harness.sh" exec "$OLDPWD/$harness" \
    "$OLDPWD/$win/bench_config_file.exe" . "$rounds") >"$scratch/winfile.txt"
scripts/wine-harness.sh exec "$harness" "$win/nicset_UiBenchmark.exe" >"$scratch/ui.txt" 2>&1 ||
    { cat "$scratch/ui.txt" >&2; exit 1; }
scripts/wine-harness.sh teardown "$harness" >/dev/null

strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$ship/CMakeCache.txt")
"$strip" -o "$scratch/Nicset.exe" "$ship/Nicset.exe"
size=$(wc -c <"$scratch/Nicset.exe")

echo "Benchmarks of $(git rev-parse --short HEAD)$(git diff --quiet HEAD -- src || echo ' (with changes)'), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "on $(nproc) cores, Wine $arch-bit ($($(scripts/wine-arch.sh loader "$arch") --version)), times in ms"
echo
echo "| What | Best | Median | Runs | Remark |"
echo "|---|---|---|---|---|"
rows "native" <"$scratch/native.txt"
rows "Wine" <"$scratch/winfile.txt"
rows "Wine" <"$scratch/ui.txt"
echo "| Nicset.exe stripped, 32-bit | $size bytes | | | |"
