#!/bin/sh
# A private Wine prefix and X display for running Nicset and its tests.
#
#   wine-harness.sh setup    DIR [ARCH]  fresh prefix in DIR, own Xvfb
#   wine-harness.sh ensure   DIR [ARCH]  as setup, but keeps an existing prefix
#   wine-harness.sh prefix   DIR [ARCH]  only the prefix (kept), on the caller's display
#   wine-harness.sh exec     DIR CMD..   run a Windows program in that prefix
#   wine-harness.sh teardown DIR         stop this prefix's wineserver and Xvfb
#
# ARCH is 32 or 64, the Wine to use (by default the first that runs here, see
# wine-arch.sh); DIR remembers it for exec. A 32-bit prefix lives in
# DIR/prefix, a 64-bit one in DIR/prefix64: Wine cannot change a prefix's
# architecture, so the two are never shared. Only the wineserver of those
# prefixes and the Xvfb whose pid is kept in DIR are ever stopped; the user's
# own ~/.wine and displays are never touched.
set -eu

command=${1:?command}
dir=${2:?state directory}
shift 2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

case "$command" in
setup | ensure | prefix)
    arch=${1:-$("$here/wine-arch.sh" first)}
    echo "$arch" >"$dir/arch"
    ;;
*) arch=$(cat "$dir/arch" 2>/dev/null || echo 32) ;;
esac

prefix_of() { # arch
    if [ "$1" = 64 ]; then echo "$dir/prefix64"; else echo "$dir/prefix"; fi
}

export WINEPREFIX="$(prefix_of "$arch")"
export WINEARCH=win$arch
WINELOADER=$("$here/wine-arch.sh" loader "$arch")
export WINELOADER
export WINEDEBUG=-all
# No Mono or Gecko installers, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

use_display() {
    if [ -s "$dir/display" ]; then
        DISPLAY=":$(cat "$dir/display")"
        export DISPLAY
    fi
}

own_xvfb_pid() {
    [ -s "$dir/xvfb.pid" ] || return 1
    pid=$(cat "$dir/xvfb.pid")
    # Only a live Xvfb that we started ourselves counts.
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q '^Xvfb ' || return 1
    echo "$pid"
}

start_xvfb() {
    own_xvfb_pid >/dev/null && return 0
    rm -f "$dir/display" "$dir/xvfb.pid"
    # -displayfd picks a free display number and tells it once the server is ready.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" \
        >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    tries=0
    while [ ! -s "$dir/display" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then
            echo "wine-harness: Xvfb did not start, see $dir/xvfb.log" >&2
            exit 1
        fi
        sleep 0.1
    done
}

wine() {
    "$WINELOADER" "$@"
}

stop_wine() {
    for stopped in 32 64; do
        stopped_prefix=$(prefix_of "$stopped")
        [ -d "$stopped_prefix" ] && WINEPREFIX="$stopped_prefix" wineserver -k >/dev/null 2>&1 || true
    done
}

stop_xvfb() {
    if pid=$(own_xvfb_pid); then
        kill "$pid" 2>/dev/null || true
    fi
    rm -f "$dir/display" "$dir/xvfb.pid"
}

make_prefix() {
    use_display
    wine wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
    # There is no window manager on Xvfb: Wine draws the captions itself and
    # does not wait (two seconds a time) for a manager to hide a window.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crashing program must end, not wait on Wine's crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Wine draws the caption buttons with Marlett; this Wine does not find
    # its own copy unless it sits in the prefix's font folder.
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    # A persistent server keeps later starts fast; teardown stops it.
    wineserver -p </dev/null >/dev/null 2>&1 || true
}

case "$command" in
setup)
    stop_wine
    rm -rf "$WINEPREFIX"
    start_xvfb
    make_prefix
    ;;
ensure | prefix)
    [ "$command" = ensure ] && start_xvfb
    if [ -f "$WINEPREFIX/system.reg" ]; then
        # Start the server and the prefix's services here, with their output
        # away from ours: they outlive the commands run later, and a pipe
        # they held open would never end.
        use_display
        wineserver -p </dev/null >/dev/null 2>&1 || true
        wine wineboot </dev/null >"$dir/wineboot.log" 2>&1
    else
        make_prefix
    fi
    ;;
exec)
    use_display
    exec "$WINELOADER" "$@"
    ;;
teardown)
    stop_wine
    stop_xvfb
    ;;
*)
    echo "wine-harness: unknown command $command" >&2
    exit 2
    ;;
esac
