#!/bin/sh
# Builds everything and runs every test: the native unit tests (under
# AddressSanitizer and UndefinedBehaviorSanitizer), the libFuzzer targets for
# a short bounded time, and the Windows build's unit and end-to-end tests
# under Wine and Xvfb. Ends with ctest's summary; exits non-zero when
# anything fails.
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

echo "== Fuzz build (clang)"
configure build/fuzz -DNICSET_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build/fuzz -j "$jobs"

echo "== Windows build"
configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
cmake --build build/win -j "$jobs"

# One ctest run over all builds, so that there is one summary at the end.
cat >build/CTestTestfile.cmake <<'TESTS'
subdirs("native")
subdirs("fuzz")
subdirs("win")
TESTS

echo "== Tests"
cd build
ctest -j "$jobs" --output-on-failure
