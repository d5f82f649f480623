#!/bin/sh
# The pictures of the manual and the README (doc/manual/screens) are taken
# from the real program under Wine and Xvfb and kept in the repository, so
# that the build needs neither. Next to them, sources.sha256 notes the files
# they were made from.
#   tools/refresh-screens.sh          take them anew (about two minutes)
#   tools/refresh-screens.sh check    fail when one of those files changed
set -eu
cd "$(dirname "$0")/.."
screens=doc/manual/screens
stamp=$screens/sources.sha256

# What the pictures show: the dialogs, the window code, the message texts and
# the tour that takes them.
sources() {
    ls res/Nicset.rc res/resource.h res/nicset.ico src/ui/*.cpp src/ui/*.h \
        src/config/ConfigFile.cpp src/config/ConfigurationList.cpp src/config/Validation.cpp \
        src/adapter/InterfaceSettings.cpp tools/Screenshots.cpp
}

case "${1:-refresh}" in
refresh)
    tools/screenshots.sh build/screens
    rm -f "$screens"/*.png
    mkdir -p "$screens"
    # No time stamps inside, so an unchanged picture gives an unchanged file.
    for picture in build/screens/*.png; do
        convert "$picture" -strip "$screens/$(basename "$picture")"
    done
    # shellcheck disable=SC2046 # one word per file name
    sha256sum $(sources) >"$stamp"
    echo "Pictures and $stamp refreshed; commit them."
    ;;
check)
    now=$(mktemp)
    trap 'rm -f "$now"' EXIT
    # shellcheck disable=SC2046
    sha256sum $(sources) >"$now"
    if ! diff -u "$stamp" "$now" >&2; then
        echo "The pictures in $screens were made from older sources (lines above)." >&2
        echo "Run tools/refresh-screens.sh, look at them, and commit them." >&2
        exit 1
    fi
    echo "The pictures in $screens are current."
    ;;
*)
    echo "usage: tools/refresh-screens.sh [refresh|check]" >&2
    exit 2
    ;;
esac
