#!/bin/sh
# Makes the release zip from a built tree and checks what a Windows user
# unpacks: one folder with Nicset.exe (the build's program without its debug
# information), the build's manual, and a read-me with CR LF line ends.
#   CheckPackage.sh BUILD_DIR FOLDER_NAME OBJDUMP STRIP
set -eu
build=$1
folder=$2
objdump=$3
strip=$4
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
printf '%s\n' "$folder/Manual Nicset.pdf" "$folder/Nicset.exe" "$folder/ReadMe.txt" >"$scratch/expected"
diff -u "$scratch/expected" "$scratch/contents" || fail "unexpected contents"

mkdir "$scratch/unpacked"
unzip -q "$zip" -d "$scratch/unpacked"
unpacked=$scratch/unpacked/$folder

cmp "$unpacked/Manual Nicset.pdf" "$build/Manual Nicset.pdf" || fail "the manual is not the build's"

# Every line of the read-me ends in CR LF, and it has lines.
lines=$(grep -c '' "$unpacked/ReadMe.txt")
crlf=$(grep -c "$(printf '\r')\$" "$unpacked/ReadMe.txt")
[ "$lines" -gt 5 ] && [ "$lines" -eq "$crlf" ] || fail "ReadMe.txt: $crlf of $lines lines end in CR LF"

# The program itself: the build's, stripped, with its resources.
"$objdump" -h "$unpacked/Nicset.exe" >"$scratch/sections"
grep -q '\.debug' "$scratch/sections" && fail "Nicset.exe still has debug sections"
grep -q '\.rsrc' "$scratch/sections" || fail "Nicset.exe has lost its resources"
cp "$build/Nicset.exe" "$scratch/Nicset-stripped.exe"
"$strip" "$scratch/Nicset-stripped.exe"
cmp "$unpacked/Nicset.exe" "$scratch/Nicset-stripped.exe" || fail "Nicset.exe is not the build's program"

echo "$folder.zip: $(wc -c <"$zip") bytes; Nicset.exe $(wc -c <"$unpacked/Nicset.exe") bytes" \
    "(in the build, with debug information: $(wc -c <"$build/Nicset.exe"))"
