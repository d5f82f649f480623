#!/bin/sh
# Makes sure the tools the build and the tests need are installed.
# Usage: scripts/deps.sh        install what is missing (as root) or say how
# The one list of Debian packages lives here and nowhere else.
set -eu

# Both Windows builds and both Wines: the release ships both programs, and
# the 64-bit one runs the tests where 32-bit Linux programs cannot run
# (scripts/wine-arch.sh tells which Wine starts). The 32-bit Wine comes from
# the i386 architecture, which only an amd64 system can add.
PACKAGES="cmake make g++ clang libclang-rt-14-dev googletest
g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 wine wine64 fonts-wine xvfb
x11-utils imagemagick groff img2pdf poppler-utils unzip libxml2-utils"
[ "$(dpkg --print-architecture)" = amd64 ] && PACKAGES="$PACKAGES wine32:i386"

# A package counts as present when dpkg reports it installed.
missing=""
for package in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *" installed") ;;
        *) missing="$missing $package" ;;
    esac
done

[ -z "$missing" ] && exit 0

needs_i386=""
case "$missing" in *":i386"*) dpkg --print-foreign-architectures | grep -qx i386 || needs_i386=1 ;; esac

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages:$missing" >&2
    echo "Run this once, then try again:" >&2
    if [ -n "$needs_i386" ]; then
        echo "  sudo sh -c 'dpkg --add-architecture i386 && apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends$missing'" >&2
    else
        echo "  sudo sh -c 'apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends$missing'" >&2
    fi
    exit 2
fi

echo "Installing:$missing"
[ -n "$needs_i386" ] && dpkg --add-architecture i386
apt-get update -qq
# shellcheck disable=SC2086 # the list is meant to split into words
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
