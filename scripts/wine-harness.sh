#!/bin/sh
# A private Wine prefix and X display for running Nicset and its tests.
#
#   wine-harness.sh setup    DIR [ARCH [KEEPER]]  fresh prefix in DIR, own Xvfb
#   wine-harness.sh ensure   DIR [ARCH [KEEPER]]  as setup, but keeps an existing prefix
#   wine-harness.sh prefix   DIR [ARCH]  only the prefix (kept), on the caller's display
#   wine-harness.sh exec     DIR CMD..   run a Windows program in that prefix
#   wine-harness.sh teardown DIR         stop this prefix's wineserver and Xvfb
#
# KEEPER is the build's wine_desktop_keeper.exe: started once the prefix is
# ready, it keeps the session's desktop until teardown, so that a program
# started right after another one ended does not wait on a closing desktop.
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

keeper=""
case "$command" in
setup | ensure | prefix)
    arch=${1:-$("$here/wine-arch.sh" first)}
    keeper=${2:-}
    # Absolute, since it starts in DIR.
    [ -n "$keeper" ] && keeper="$(cd "$(dirname "$keeper")" && pwd)/$(basename "$keeper")"
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

# Waits until `test FLAG FILE` holds, which a starting program makes so: a
# minute allows for a busy machine, and the wait ends as soon as it holds.
wait_for() { # flag, file, what to say when it never does
    tries=0
    while [ ! "$1" "$2" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 600 ]; then
            echo "wine-harness: $3" >&2
            exit 1
        fi
        sleep 0.1
    done
}

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
    wait_for -s "$dir/display" "Xvfb did not start, see $dir/xvfb.log"
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

# One Wine session from setup to teardown. A server that a program starts
# itself (Debian's wrapper gives it -p0) ends its session as soon as the last
# program exits: it stops services.exe, the desktop and the other system
# processes, and the next program pays, or races, a whole new session start
# before its first window shows. Started before any program, with -p, the
# server keeps them; teardown stops it.
start_server() {
    mkdir -p "$WINEPREFIX" # the server needs its prefix's folder, even a new one
    wineserver -p </dev/null >/dev/null 2>&1 || true
}

make_prefix() {
    use_display
    start_server
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
}

# Detached from our output, or whoever reads it would wait for the teardown.
# Its window exists once it has written keeper.ready.
start_keeper() {
    [ -n "$keeper" ] || return 0
    use_display
    rm -f "$dir/keeper.ready"
    (cd "$dir" && exec "$WINELOADER" "$keeper") </dev/null >/dev/null 2>&1 &
    wait_for -f "$dir/keeper.ready" "$keeper did not start"
}

case "$command" in
setup)
    stop_wine
    rm -rf "$WINEPREFIX"
    start_xvfb
    make_prefix
    start_keeper
    ;;
ensure | prefix)
    [ "$command" = ensure ] && start_xvfb
    if [ -f "$WINEPREFIX/system.reg" ]; then
        # Start the server and the prefix's services here, with their output
        # away from ours: they outlive the commands run later, and a pipe
        # they held open would never end.
        use_display
        start_server
        wine wineboot </dev/null >"$dir/wineboot.log" 2>&1
    else
        make_prefix
    fi
    start_keeper
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
