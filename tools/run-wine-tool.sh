#!/bin/sh
# Builds one of the Windows tools of the test build (nicset_Screenshots,
# nicset_UiBenchmark) and runs it under Wine in a throwaway prefix of its own:
# the 32-bit build where 32-bit Wine runs, else the 64-bit one.
#   tools/run-wine-tool.sh TOOL
set -eu
cd "$(dirname "$0")/.."
tool=${1:?tool name}

scripts/deps.sh
# The 32-bit build where its Wine runs, else the 64-bit one.
arch=$(scripts/wine-arch.sh first)
win=$(scripts/build-win.sh "$arch" Nicset "$tool" wine_desktop_keeper)

harness=build/$tool-harness
scripts/wine-harness.sh setup "$harness" "$arch" "$win/wine_desktop_keeper.exe"
status=0
scripts/wine-harness.sh exec "$harness" "$win/$tool.exe" || status=$?
scripts/wine-harness.sh teardown "$harness"
exit "$status"
