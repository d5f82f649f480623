#!/bin/sh
# The choice of Wine honours NICSET_WINE_ARCH: a Wine that starts here is
# taken alone when asked for, one that does not start is refused rather than
# silently replaced, and any other value is an error.
#   WineArchTest.sh WINE_ARCH_SCRIPT
set -u
script=$1
failures=0

expect() { # description, expected output ("" = must fail), arch asked for
    got=$(NICSET_WINE_ARCH=$3 sh "$script" 2>/dev/null) && ok=1 || ok=0
    if [ -n "$2" ] && { [ "$ok" = 0 ] || [ "$got" != "$2" ]; }; then
        echo "FAIL: $1: expected '$2', got '$got'" >&2
        failures=$((failures + 1))
    elif [ -z "$2" ] && [ "$ok" = 1 ]; then
        echo "FAIL: $1: expected a refusal, got '$got'" >&2
        failures=$((failures + 1))
    fi
}

for arch in 32 64; do
    if sh "$script" check "$arch" 2>/dev/null; then
        expect "$arch-bit Wine runs and is asked for" "$arch" "$arch"
    else
        expect "$arch-bit Wine does not run but is asked for" "" "$arch"
    fi
done
expect "an unknown architecture" "" 16

[ "$failures" -eq 0 ] && echo "wine-arch honours NICSET_WINE_ARCH (here: $(sh "$script"))"
exit "$failures"
