#!/bin/sh
# Checks what a shipped program asks of Windows, read out of the built
# program without running it (Wine has every function in every version mode
# and runs every process elevated, so only the file itself can tell):
# - it carries the build's manifest, made for its processor (x86, or amd64
#   for Nicset64.exe), which asks for no rights at start and is DPI-aware;
# - given the import list (the 32-bit program, which Windows 98 SE must
#   load), it imports only the functions of that reviewed list, each one
#   that Windows 98 SE has, and delay-loads nothing, and its PE header asks
#   for subsystem version 4.0, the highest the "98" family starts.
#   CheckProgram.sh PROGRAM PROCESSOR WINDRES MANIFEST [OBJDUMP IMPORT_LIST]
set -eu
program=$1
processor=$2
windres=$3
manifest=$4
objdump=${5:-}
list=${6:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "$program: $*" >&2
    exit 1
}

# The manifest: resource 1 of type 24, as windres prints it in .rc form, one
# quoted string per line of the file ("" for a quote, \n for a line end).
"$windres" -i "$program" -J coff -O rc >"$scratch/resources" 2>/dev/null || fail "windres cannot read its resources"
awk '/^1 24 / { inside = 1; next }
     inside && /^END/ { exit }
     inside && /^ *"/ { print }' "$scratch/resources" |
    sed -e 's/^ *"//' -e 's/"$//' -e 's/""/"/g' -e 's/\\n$//' >"$scratch/manifest"
[ -s "$scratch/manifest" ] || fail "no manifest (resource 1 of type 24)"
cmp -s "$scratch/manifest" "$manifest" || {
    diff -u "$manifest" "$scratch/manifest" >&2
    fail "its manifest is not $manifest"
}
# Windows refuses to start a program whose manifest is not well-formed XML.
xmllint --noout "$scratch/manifest" || fail "its manifest is not well-formed"
count() { xmllint --xpath "count($1)" "$scratch/manifest"; }
has() { # a path below the assembly element, what it means
    [ "$(count "/*[local-name()='assembly']$1")" = 1 ] || fail "its manifest does not $2"
}
# No rights asked at start, in the asm.v2 form, which Windows XP also reads.
has "/*[local-name()='trustInfo' and namespace-uri()='urn:schemas-microsoft-com:asm.v2']
    /*[local-name()='security']/*[local-name()='requestedPrivileges']
    /*[local-name()='requestedExecutionLevel' and @level='asInvoker' and @uiAccess='false']" \
    "ask for asInvoker in the asm.v2 form"
# DPI-aware: dpiAware for Windows Vista to 10 1511, dpiAwareness from 10 1607
# on, each in its own namespace, under the asm.v3 application element.
settings="/*[local-name()='application' and namespace-uri()='urn:schemas-microsoft-com:asm.v3']
    /*[local-name()='windowsSettings' and namespace-uri()='urn:schemas-microsoft-com:asm.v3']"
smi=http://schemas.microsoft.com/SMI
has "$settings/*[namespace-uri()='$smi/2005/WindowsSettings' and local-name()='dpiAware' and .='true']" \
    "declare dpiAware true (2005 namespace)"
has "$settings/*[namespace-uri()='$smi/2016/WindowsSettings' and local-name()='dpiAwareness'
    and .='PerMonitorV2, System']" "declare dpiAwareness \"PerMonitorV2, System\" (2016 namespace)"
[ "$(count "//*[local-name()='assemblyIdentity' and @processorArchitecture='$processor']")" = 2 ] ||
    fail "its manifest does not name the $processor processor for it and the common controls"
[ -n "$list" ] || { echo "$program: manifest for $processor, asInvoker, DPI-aware"; exit 0; }

"$objdump" -p "$program" >"$scratch/headers" || fail "objdump cannot read it"

# The import table: "DLL Name: X" opens a DLL, then one line per function
# (address, hint, name).
awk '/^\tDLL Name: / { dll = toupper($3); next }
     dll != "" && /^\t[0-9a-f]+\t *[0-9]+ +[^ ]/ { print dll "!" $3; next }
     /^$/ { if (listed) dll = "" ; listed = 0 }
     dll != "" && /vma:/ { listed = 1 }' "$scratch/headers" | sort -u >"$scratch/imports"
[ -s "$scratch/imports" ] || fail "no import table found"

# Every listed function must be one that Windows 98 SE has.
grep -v '^#' "$list" | awk 'NF && $2 != "95" && $2 != "98" { print "  " $0 }' >"$scratch/too-new"
if [ -s "$scratch/too-new" ]; then
    cat "$scratch/too-new" >&2
    fail "$list names functions (above) that Windows 98 SE lacks"
fi
grep -v '^#' "$list" | awk 'NF { print $1 }' | sort -u >"$scratch/listed"

comm -23 "$scratch/imports" "$scratch/listed" >"$scratch/new"
comm -13 "$scratch/imports" "$scratch/listed" >"$scratch/gone"
if [ -s "$scratch/new" ]; then
    echo "imports what $list does not list (check that Windows 98 SE has each, then add it):" >&2
    sed 's/^/  /' "$scratch/new" >&2
fi
if [ -s "$scratch/gone" ]; then
    echo "no longer imports what $list lists (take it out):" >&2
    sed 's/^/  /' "$scratch/gone" >&2
fi
[ -s "$scratch/new" ] || [ -s "$scratch/gone" ] && fail "the import table differs from the reviewed list"

grep -q '^Entry d 00000000 00000000 Delay Import Directory' "$scratch/headers" ||
    fail "it delay-loads functions; the import list cannot see them"
major=$(awk '$1 == "MajorSubsystemVersion" { print $2 }' "$scratch/headers")
minor=$(awk '$1 == "MinorSubsystemVersion" { print $2 }' "$scratch/headers")
[ "$major.$minor" = "4.0" ] || fail "subsystem version $major.$minor; the \"98\" family starts only 4.0"

echo "$program: $(wc -l <"$scratch/imports") imports, all listed; subsystem 4.0;" \
    "no delay-loads; manifest for $processor, asInvoker, DPI-aware"
