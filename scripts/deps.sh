#!/bin/sh
# Makes sure the tools the build and the tests need are installed.
# Usage: scripts/deps.sh        install what is missing (as root) or say how
# The one list of Debian packages lives here and nowhere else.
set -eu

# Both Windows builds and 64-bit Wine: the release ships both programs, and
# the 64-bit one runs the tests where 32-bit Linux programs cannot run
# (scripts/wine-arch.sh tells which Wine starts).
PACKAGES="cmake make g++ clang libclang-rt-14-dev googletest
g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 wine wine64 fonts-wine xvfb
x11-utils imagemagick groff img2pdf poppler-utils unzip libxml2-utils"
# The 32-bit Wine comes from the i386 architecture, which only an amd64
# system can add. It is asked for on its own: when the i386 packages lag the
# amd64 ones it cannot be had, and the run goes on with 64-bit Wine.
WINE32=""
[ "$(dpkg --print-architecture)" = amd64 ] && WINE32="wine32:i386"

missing_of() { # prints those of the given packages that dpkg lacks
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        case "$status" in
            *" installed") ;;
            *) printf ' %s' "$package" ;;
        esac
    done
}

# shellcheck disable=SC2086 # the lists are meant to split into words
missing=$(missing_of $PACKAGES)
# shellcheck disable=SC2086
missing32=$(missing_of $WINE32)
[ -z "$missing$missing32" ] && exit 0

needs_i386=""
if [ -n "$missing32" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    needs_i386=1
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages:$missing$missing32" >&2
    echo "Run this once, then try again:" >&2
    if [ -n "$needs_i386" ]; then
        echo "  sudo sh -c 'dpkg --add-architecture i386; apt-get update; DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends$missing$missing32'" >&2
    else
        echo "  sudo sh -c 'apt-get update; DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends$missing$missing32'" >&2
    fi
    exit 2
fi

echo "Installing:$missing$missing32"
[ -n "$needs_i386" ] && dpkg --add-architecture i386
# A mirror in the middle of a sync fails one index now and then; the indexes
# already here still install most of what is needed.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
first_error() { grep -m 1 '^E:' "$log" || tail -n 1 "$log"; }
if ! apt-get update -qq >"$log" 2>&1; then
    echo "apt-get update failed ($(first_error)); going on with the package indexes this machine has."
fi
apt_install() {
    # shellcheck disable=SC2068 # the list is meant to split into words
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $@
}
# shellcheck disable=SC2086
[ -z "$missing" ] || apt_install $missing >/dev/null
# shellcheck disable=SC2086
if [ -n "$missing32" ] && ! apt_install $missing32 >"$log" 2>&1; then
    echo "$missing32 could not be installed ($(first_error)); going on with 64-bit Wine, as on a machine that cannot run 32-bit programs."
fi
