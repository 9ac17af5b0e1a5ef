#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Compiles the resource script as a MinGW-w64 build does and reads it back: the version block as
# expected, one 16 x 16 icon of 256 colours, everything in Chinese (PRC) (LANGUAGE 4, 2).
#   check_windows_resource.sh RESOURCE_SCRIPT EXPECTED_VERSION_BLOCK
set -euxo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
x86_64-w64-mingw32-windres -O coff "$1" -o "$work/resources.o"
x86_64-w64-mingw32-windres -J coff -i "$work/resources.o" -O rc -o "$work/read.rc"
sed -n '/ VERSIONINFO$/,/^END$/p' "$work/read.rc" | diff -u "$2" -
[ "$(grep -c 'RT_ICON \*/' "$work/read.rc")" -eq 1 ]
grep -q '"\\020\\020\\000\\000", 1, 8,' "$work/read.rc"
[ "$(grep '^LANGUAGE' "$work/read.rc" | sort -u)" = "LANGUAGE 4, 2" ]
