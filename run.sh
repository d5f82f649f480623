#!/bin/sh
# Builds Nicset and starts it under Wine in a demo prefix whose registry holds
# two example network adapters. With no display it runs under Xvfb, saves a
# screenshot of the main window and closes the program again.
set -eu
cd "$(dirname "$0")"
top=$(pwd)

scripts/deps.sh

# The 32-bit program we ship where its Wine runs, else the 64-bit build.
arch=$(scripts/wine-arch.sh first)
echo "Building and starting the $arch-bit Nicset.exe under $arch-bit Wine"
win=$(scripts/build-win.sh "$arch" Nicset manual)

demo=build/demo
work=$demo/work
harness="$top/scripts/wine-harness.sh"
mkdir -p "$work"

if [ -n "${DISPLAY:-}" ]; then
    "$harness" prefix "$demo" "$arch"
else
    "$harness" ensure "$demo" "$arch"
fi

# The example adapters go in once a prefix; after that it keeps whatever the
# program wrote.
if [ ! -f "$demo/seeded-$arch" ]; then
    (cd scripts/demo && "$harness" exec "$top/$demo" regedit /S adapters.reg)
    [ -f "$work/Nicset.conf" ] || cp scripts/demo/Nicset.conf "$work/Nicset.conf"
    touch "$demo/seeded-$arch"
fi
# The help button opens the manual from the working directory.
cp "$win/Manual Nicset.pdf" "$work/"

if [ -n "${DISPLAY:-}" ]; then
    # Wine has no PDF viewer of its own: hand the manual to the host's.
    "$harness" exec "$top/$demo" reg add 'HKCU\Software\Classes\.pdf' /ve /d NicsetDemo.pdf /f >/dev/null
    "$harness" exec "$top/$demo" reg add 'HKCU\Software\Classes\NicsetDemo.pdf\shell\open\command' \
        /ve /d 'winebrowser "%1"' /f >/dev/null
    cd "$work"
    status=0
    "$harness" exec "$top/$demo" "$top/$win/Nicset.exe" || status=$?
    "$harness" teardown "$top/$demo"
    [ "$status" -eq 24 ] # Nicset always ends with 24
    exit
fi

# Headless: show the main window on our own Xvfb and photograph it.
DISPLAY=":$(cat "$demo/display")"
export DISPLAY
(cd "$work" && "$harness" exec "$top/$demo" "$top/$win/Nicset.exe") &
nicset=$!

window=""
tries=0
# A minute allows for a busy machine; the wait ends when the window shows.
while [ -z "$window" ] && [ "$tries" -lt 600 ]; do
    sleep 0.1
    tries=$((tries + 1))
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"Nicset v1.0"/ { print $1; exit }')
done
if [ -z "$window" ]; then
    echo "run.sh: the main window did not appear" >&2
    "$harness" teardown "$demo"
    exit 1
fi
sleep 1 # let it finish painting
import -window "$window" "$demo/screenshot.png"

# A polite close: taskkill without /f sends WM_CLOSE, so the list is saved.
"$harness" exec "$top/$demo" taskkill /im Nicset.exe >/dev/null 2>&1 || true
wait "$nicset" || true
"$harness" teardown "$demo"
echo "Nicset ran headless; screenshot of the main window: $top/$demo/screenshot.png"
