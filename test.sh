#!/bin/sh
# Builds everything and runs every test: the native unit tests (under
# AddressSanitizer and UndefinedBehaviorSanitizer), the libFuzzer targets for
# a short bounded time, and the Windows build's unit and end-to-end tests
# under every Wine that runs here: the 32-bit program we ship, and the same
# sources built for 64-bit Windows (the only Wine on machines that cannot run
# 32-bit Linux programs; NICSET_WINE_ARCH=64 takes it alone). Ends with
# ctest's summary; exits non-zero when anything fails.
set -eu
cd "$(dirname "$0")"

scripts/deps.sh
wines=$(scripts/wine-arch.sh)
runs() { case " $wines " in *" $1 "*) return 0 ;; esac; return 1; }

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

# The 32-bit program is always built: it is the one we ship, and its static
# checks need no Wine.
echo "== Windows build (32-bit)"
if runs 32; then wine32=ON; else wine32=OFF; fi
configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DNICSET_WINE_TESTS=$wine32
cmake --build build/win -j "$jobs"
builds="native fuzz win"

if runs 64; then
    echo "== Windows build (64-bit, for testing)"
    configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
    cmake --build build/win64 -j "$jobs"
    builds="$builds win64"
fi

# One ctest run over all builds, so that there is one summary at the end.
for build in $builds; do echo "subdirs(\"$build\")"; done >build/CTestTestfile.cmake

echo "== Tests (under Wine: $(echo "$wines" | sed "s/ /-bit and /")-bit)"
if ! runs 32; then
    if [ -n "${NICSET_WINE_ARCH:-}" ]; then
        why="NICSET_WINE_ARCH=$NICSET_WINE_ARCH"
    else
        why=$(scripts/wine-arch.sh check 32 2>&1 || true)
    fi
    echo "The 32-bit build/win/Nicset.exe was built and checked statically but not run: $why."
fi
cd build
ctest -j "$jobs" --output-on-failure
