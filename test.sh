#!/bin/sh
# Builds everything and runs every test: the native unit tests (under
# AddressSanitizer and UndefinedBehaviorSanitizer), and the Windows build's
# unit and end-to-end tests under Wine and Xvfb. Ends with ctest's summary;
# exits non-zero when anything fails.
set -eu
cd "$(dirname "$0")"

scripts/deps.sh

jobs=$(nproc)
mkdir -p build

configure() { # build folder, then cmake options
    folder=$1
    shift
    cmake -S . -B "$folder" "$@" >"$folder.configure.log" 2>&1 || { cat "$folder.configure.log"; exit 1; }
}

echo "== Native build"
configure build/native -DNICSET_SANITIZE=ON
cmake --build build/native -j "$jobs"

echo "== Windows build"
configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
cmake --build build/win -j "$jobs"

# One ctest run over both builds, so that there is one summary at the end.
cat >build/CTestTestfile.cmake <<'TESTS'
subdirs("native")
subdirs("win")
TESTS

echo "== Tests"
cd build
ctest -j "$jobs" --output-on-failure
