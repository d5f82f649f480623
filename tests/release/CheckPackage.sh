#!/bin/sh
# Makes the release zip from a built tree and checks what a Windows user
# unpacks: one folder with Nicset.exe and Nicset64.exe (the 32-bit and the
# 64-bit build's programs, each without its debug information), the build's
# manual, and a read-me with CR LF line ends.
#   CheckPackage.sh BUILD_DIR FOLDER_NAME OBJDUMP STRIP WIN64_BUILD_DIR
set -eu
build=$1
folder=$2
objdump=$3
strip=$4
build64=$5
scratch=$build/release-check
rm -rf "$scratch"
mkdir -p "$scratch"

fail() {
    echo "release package: $*" >&2
    exit 1
}

# strip stamps the PE header with the time it ran unless told a time: both
# strips below get the same, so their outputs can be compared byte for byte.
SOURCE_DATE_EPOCH=$(date +%s)
export SOURCE_DATE_EPOCH
cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack failed"; }
zip=$scratch/$folder.zip
[ -f "$zip" ] || fail "no $folder.zip"

# The files, folders aside.
unzip -Z1 "$zip" | grep -v '/$' | sort >"$scratch/contents"
printf '%s\n' "$folder/Manual Nicset.pdf" "$folder/Nicset.exe" "$folder/Nicset64.exe" "$folder/ReadMe.txt" \
    >"$scratch/expected"
diff -u "$scratch/expected" "$scratch/contents" || fail "unexpected contents"

mkdir "$scratch/unpacked"
unzip -q "$zip" -d "$scratch/unpacked"
unpacked=$scratch/unpacked/$folder

cmp "$unpacked/Manual Nicset.pdf" "$build/Manual Nicset.pdf" || fail "the manual is not the build's"

# Every line of the read-me ends in CR LF, and it has lines.
lines=$(grep -c '' "$unpacked/ReadMe.txt")
crlf=$(grep -c "$(printf '\r')\$" "$unpacked/ReadMe.txt")
[ "$lines" -gt 5 ] && [ "$lines" -eq "$crlf" ] || fail "ReadMe.txt: $crlf of $lines lines end in CR LF"

# The programs themselves: the builds', stripped, with their resources. The
# 32-bit binutils read no 64-bit program, so the 64-bit one is read with
# its own build's tools.
tool64() {
    tool=$(sed -n "s/^CMAKE_$1:FILEPATH=//p" "$build64/CMakeCache.txt")
    [ -n "$tool" ] || fail "$build64/CMakeCache.txt names no $1"
    echo "$tool"
}
objdump64=$(tool64 OBJDUMP)
strip64=$(tool64 STRIP)
check_program() { # name in the zip, the build's program, objdump, strip, format
    "$3" -h "$unpacked/$1" >"$scratch/sections"
    grep -q '\.debug' "$scratch/sections" && fail "$1 still has debug sections"
    grep -q '\.rsrc' "$scratch/sections" || fail "$1 has lost its resources"
    grep -q "file format $5\$" "$scratch/sections" || fail "$1 is not $5"
    cp "$2" "$scratch/stripped.exe"
    "$4" "$scratch/stripped.exe"
    cmp "$unpacked/$1" "$scratch/stripped.exe" || fail "$1 is not the build's program ($2)"
}
check_program Nicset.exe "$build/Nicset.exe" "$objdump" "$strip" pei-i386
check_program Nicset64.exe "$build64/Nicset.exe" "$objdump64" "$strip64" pei-x86-64

echo "$folder.zip: $(wc -c <"$zip") bytes; Nicset.exe $(wc -c <"$unpacked/Nicset.exe") bytes," \
    "Nicset64.exe $(wc -c <"$unpacked/Nicset64.exe") bytes (in the builds, with debug" \
    "information: $(wc -c <"$build/Nicset.exe") and $(wc -c <"$build64/Nicset.exe"))"
