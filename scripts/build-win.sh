#!/bin/sh
# Configures and builds the Windows build for one Wine and prints its folder:
# build/win for 32 (Nicset.exe), build/win64 for 64 (shipped as Nicset64.exe).
#   scripts/build-win.sh ARCH TARGET...
set -eu
cd "$(dirname "$0")/.."
arch=${1:?arch}
shift
case "$arch" in
32) folder=build/win toolchain=cmake/mingw-i686.cmake ;;
64) folder=build/win64 toolchain=cmake/mingw-x86_64.cmake ;;
*)
    echo "build-win: no such build: $arch (32 or 64)" >&2
    exit 2
    ;;
esac
mkdir -p build
cmake -S . -B "$folder" -DCMAKE_TOOLCHAIN_FILE="$toolchain" >"$folder.configure.log" 2>&1 ||
    { cat "$folder.configure.log" >&2; exit 1; }
cmake --build "$folder" --target "$@" -j "$(nproc)" >"$folder.build.log" 2>&1 ||
    { cat "$folder.build.log" >&2; exit 1; }
echo "$folder"
