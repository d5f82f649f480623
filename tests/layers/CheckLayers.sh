#!/bin/sh
# Keeps the layers of src/ apart: each folder is one layer, and a file
# includes only its own layer and those below it,
#   app -> ui -> adapter -> config -> common
# ("resource.h" belongs to the windows: ui and app only). The platform-free
# layers include no <windows.h>, except the Win32 halves behind their seams.
#   tests/layers/CheckLayers.sh SRC_FOLDER
set -eu
src=${1:?src folder}
layers="common config adapter ui app"

rank() { # the layer's place in $layers, counted from the bottom
    n=0
    for layer in $layers; do
        n=$((n + 1))
        [ "$layer" = "$1" ] && { echo $n; return; }
    done
    echo 0
}

status=0
fail() {
    echo "$1" >&2
    status=1
}

for file in $(cd "$src" && find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort); do
    own=${file%%/*}
    own_rank=$(rank "$own")
    [ "$own_rank" -gt 0 ] || { fail "$file: not in a layer folder ($layers)"; continue; }
    # One included name per line, quotes and brackets kept.
    for included in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*[>"]\).*/\1/p' "$src/$file"); do
        case $included in
        '"resource.h"')
            [ "$own_rank" -ge "$(rank ui)" ] || fail "$file includes resource.h below ui/"
            ;;
        '"'*/*'"')
            name=${included#\"}
            layer=${name%%/*}
            layer_rank=$(rank "$layer")
            if [ "$layer_rank" -eq 0 ]; then
                fail "$file includes $included, which is in no layer"
            elif [ "$layer_rank" -gt "$own_rank" ]; then
                fail "$file includes $included: $own/ may not include $layer/"
            fi
            ;;
        '"'*)
            fail "$file includes $included without its layer folder"
            ;;
        '<windows.h>')
            case $file in
            ui/* | app/* | adapter/Win32Registry.* | adapter/*_win.cpp | config/*_win.cpp) ;;
            *) fail "$file includes <windows.h> outside the Windows halves" ;;
            esac
            ;;
        esac
    done
done
[ "$status" -eq 0 ] && echo "Every include in $src points down the layers."
exit "$status"
