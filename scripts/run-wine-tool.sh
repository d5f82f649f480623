#!/bin/sh
# Builds one of the Windows tools of the test build (nicset_Screenshots,
# nicset_UiBenchmark) and runs it under Wine in a throwaway prefix of its own.
#   scripts/run-wine-tool.sh TOOL
set -eu
cd "$(dirname "$0")/.."
tool=${1:?tool name}

scripts/deps.sh
mkdir -p build
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >build/win.configure.log 2>&1 ||
    { cat build/win.configure.log; exit 1; }
cmake --build build/win --target Nicset "$tool" -j "$(nproc)" >/dev/null

harness=build/$tool-harness
scripts/wine-harness.sh setup "$harness"
status=0
scripts/wine-harness.sh exec "$harness" "build/win/$tool.exe" || status=$?
scripts/wine-harness.sh teardown "$harness"
exit "$status"
