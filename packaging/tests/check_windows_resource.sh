#!/usr/bin/env bash
# Compiles the Windows resource script as a MinGW-w64 build would, reads the compiled resources
# back as text and checks the version block, the icon and the language of everything.
#   check_windows_resource.sh RESOURCE_SCRIPT EXPECTED_VERSION_BLOCK
set -euo pipefail
source "$(dirname "$0")/check_helpers.sh"
script=$1
expected_version_block=$2
windres=x86_64-w64-mingw32-windres
# windres preprocesses with the MinGW-w64 C compiler, which also brings the Windows headers.
require_tools "$windres" x86_64-w64-mingw32-gcc

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Compiled to an object file the way a MinGW-w64 build links it into the program.
"$windres" -O coff "$script" -o "$work/resources.o" || fail "$script does not compile"
"$windres" -J coff -i "$work/resources.o" -O rc -o "$work/decompiled.rc"

count() { grep -c -- "$1" "$work/decompiled.rc" || true; }

# The version block as stored, values and all, with nothing else in it.
[ "$(count ' VERSIONINFO$')" -eq 1 ] || fail "expected exactly one version block"
sed -n '/ VERSIONINFO$/,/^END$/p' "$work/decompiled.rc" >"$work/version_block.rc"
diff -u "$expected_version_block" "$work/version_block.rc" ||
    fail "the compiled version block differs from the expected one"

# One icon with one 16 x 16 image: 0 colours in the group entry means 256, at 8 bits a pixel.
[ "$(count 'RT_ICON \*/')" -eq 1 ] || fail "expected exactly one icon image"
[ "$(count 'RT_GROUP_ICON \*/')" -eq 1 ] || fail "expected exactly one icon"
grep -q 'Has 1 elements' "$work/decompiled.rc" || fail "the icon should hold one image"
grep -q '"\\020\\020\\000\\000", 1, 8,' "$work/decompiled.rc" ||
    fail "the icon image should be 16 x 16 pixels, 256 colours, 8 bits a pixel"

# The decompiler names the language whenever it changes: Chinese (PRC) is 4, 2.
languages=$(grep '^LANGUAGE' "$work/decompiled.rc" | sort -u)
[ "$languages" = "LANGUAGE 4, 2" ] || fail "resources in other languages than Chinese (PRC): $languages"
echo "version block, icon and language as expected"
