#!/bin/sh
# Builds everything and runs every test: the native unit tests (under
# AddressSanitizer and UndefinedBehaviorSanitizer), the libFuzzer targets for
# a short bounded time, and the Windows builds' unit and end-to-end tests
# under every Wine that runs here: the 32-bit program, and the same sources
# built for 64-bit Windows, which the release ships beside it as
# Nicset64.exe (64-bit Wine is the only Wine on machines that cannot run
# 32-bit Linux programs; NICSET_WINE_ARCH=64 takes it alone). Both programs
# are always built and checked statically. Ends with ctest's summary; exits
# non-zero when anything fails, or when no Wine runs here.
set -eu
cd "$(dirname "$0")"

scripts/deps.sh
# Where no Wine starts, everything is still built and checked statically,
# and the run fails at the end; a Wine asked for by NICSET_WINE_ARCH that
# does not start, or a wrong value, stops it here.
status=0
wines=$(scripts/wine-arch.sh) || status=$?
if [ "$status" != 0 ] && { [ "$status" != 1 ] || [ -n "${NICSET_WINE_ARCH:-}" ]; }; then
    exit "$status"
fi
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

# Both Windows programs are always built: the release ships both, and their
# static checks need no Wine. The 64-bit one first: the 32-bit build copies
# it beside its Nicset.exe for the package, and finds it built already.
echo "== Windows build (64-bit)"
if runs 64; then wine64=ON; else wine64=OFF; fi
configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DNICSET_WINE_TESTS=$wine64
cmake --build build/win64 -j "$jobs"

echo "== Windows build (32-bit)"
if runs 32; then wine32=ON; else wine32=OFF; fi
configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DNICSET_WINE_TESTS=$wine32 \
    -DNICSET_WIN64_DIR="$(pwd)/build/win64"
cmake --build build/win -j "$jobs"
builds="native fuzz win64 win"

# One ctest run over all builds, so that there is one summary at the end.
for build in $builds; do echo "subdirs(\"$build\")"; done >build/CTestTestfile.cmake

if [ -n "$wines" ]; then
    echo "== Tests (under Wine: $(echo "$wines" | sed "s/ /-bit and /")-bit)"
else
    echo "== Tests (no Wine runs here: static checks only)"
fi
for arch in 32 64; do
    runs $arch && continue
    if [ -n "${NICSET_WINE_ARCH:-}" ]; then
        why="NICSET_WINE_ARCH=$NICSET_WINE_ARCH"
    else
        why=$(scripts/wine-arch.sh check $arch 2>&1 || true)
    fi
    [ $arch = 32 ] && folder=build/win || folder=build/win64
    echo "The $arch-bit $folder/Nicset.exe was built and checked statically but not run: $why."
done
cd build
ctest -j "$jobs" --output-on-failure
[ -n "$wines" ] || { echo "No Wine runs here: the Windows programs were built but not run." >&2; exit 1; }
