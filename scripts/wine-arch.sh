#!/bin/sh
# Which Wine runs on this machine: decided by starting each loader, since
# some machines install the 32-bit Wine fine but cannot execute any 32-bit
# Linux program ("Exec format error").
#
#   wine-arch.sh              the Wines to test with, one word each: "32 64",
#                             "64" or "32"; fails when none starts
#   wine-arch.sh first        the one to run the program with (32 where it runs)
#   wine-arch.sh check ARCH   succeeds when that Wine starts; else says why
#   wine-arch.sh loader ARCH  the path of that Wine's loader
#
# NICSET_WINE_ARCH=64 (or 32) takes that Wine alone, so that a machine which
# runs both can exercise either path by itself.
set -eu

loader() {
    case "$1" in
    # Debian keeps both loaders here and puts neither on the PATH by its
    # own name; elsewhere the 64-bit one is "wine64".
    32) candidates="/usr/lib/wine/wine /usr/lib/i386-linux-gnu/wine/wine" ;;
    64) candidates="/usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64 $(command -v wine64 || true)" ;;
    *)
        echo "wine-arch: no such Wine: $1 (32 or 64)" >&2
        return 2
        ;;
    esac
    for candidate in $candidates; do
        [ -x "$candidate" ] && { echo "$candidate"; return 0; }
    done
    echo "wine-arch: the $1-bit Wine loader is not installed" >&2
    return 1
}

# Starts the loader without a prefix; what it prints on failure is the reason.
check() {
    path=$(loader "$1") || return 1
    if ! output=$("$path" --version 2>&1); then
        last=$(echo "$output" | tail -n 1)
        echo "the $1-bit Wine loader ($path) does not start here: ${last##*: }" >&2
        return 1
    fi
}

runnable() {
    case "${NICSET_WINE_ARCH:-}" in
    "") wanted="32 64" ;;
    32 | 64) wanted=$NICSET_WINE_ARCH ;;
    *)
        echo "wine-arch: NICSET_WINE_ARCH must be 32 or 64, not '$NICSET_WINE_ARCH'" >&2
        return 2
        ;;
    esac
    found=""
    for arch in $wanted; do
        check "$arch" 2>/dev/null && found="${found:+$found }$arch"
    done
    if [ -z "$found" ]; then
        for arch in $wanted; do check "$arch" || true; done
        echo "wine-arch: no Wine runs on this machine" >&2
        return 1
    fi
    echo "$found"
}

case "${1:-list}" in
list) runnable ;;
first) runnable | cut -d' ' -f1 ;;
check) check "${2:?arch}" ;;
loader) loader "${2:?arch}" ;;
*)
    echo "usage: wine-arch.sh [list|first|check ARCH|loader ARCH]" >&2
    exit 2
    ;;
esac
