#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into an empty prefix: exactly the program, its two modules, its face
# and licence, the menu entry, the icons, the metadata and the documentation land where the
# program, desktops and man look, all listed in the install manifest, valid and naming each
# other. The build's own manifest is put back afterwards.
#   check_install.sh CMAKE BUILD_DIR APP_ID QUANTILES_MODULE SYMBOLIC_MODULE
set -euxo pipefail
cmake=$1 build=$2 id=$3 quantiles=$4 symbolic=$5
work=$(mktemp -d)
cp "$build/install_manifest.txt" "$work/manifest" 2>/dev/null || true
trap 'mv "$work/manifest" "$build/install_manifest.txt" 2>/dev/null ||
      rm -f "$build/install_manifest.txt"; rm -rf "$work"' EXIT

"$cmake" --install "$build" --prefix "$work/p" >/dev/null
icons=share/icons/hicolor
printf "$work/p/%s\n" bin/tavrello "$quantiles" "$symbolic" share/tavrello/fonts/{TavrelloSung.ttf,ARPHICPL.TXT} \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml $icons/scalable/apps/$id.svg \
    $icons/{16x16,32x32,48x48,256x256}/apps/$id.png share/man/{,zh_CN/}man1/tavrello.1.gz \
    share/doc/tavrello/{copyright,changelog.gz} | sort >"$work/expected"
find "$work/p" -type f | sort | diff -u "$work/expected" -
sort "$build/install_manifest.txt" | diff -u "$work/expected" -
for side in 16 32 48 256; do
    [[ "$(file -b "$work/p/$icons/${side}x$side/apps/$id.png")" == "PNG image data, $side x $side,"* ]]
done
grep -q "ARPHIC PUBLIC LICENSE" "$work/p/share/tavrello/fonts/ARPHICPL.TXT"

entry=$work/p/share/applications/$id.desktop
report=$(desktop-file-validate "$entry")
! grep -E ': (warning|error):' <<<"$report"
appstreamcli validate --no-net "$work/p/share/metainfo/$id.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$work/p/share/metainfo/$id.metainfo.xml"
[ "$(grep -cxE "Icon=$id|Exec=tavrello|Categories=(.*;)?Education;Science;Math;|Name\[zh_CN\]=.+" "$entry")" -eq 4 ]
