#!/usr/bin/env bash
# Installs the build into an empty prefix and checks that exactly the program, its face, its menu
# entry, its icons, its metadata and its documentation land where desktops and man look for them,
# and that they name each other.
#   check_install.sh CMAKE BUILD_DIR APP_ID
set -euo pipefail
source "$(dirname "$0")/check_helpers.sh"
cmake=$1
build=$2
id=$3
require_tools file

work=$(mktemp -d)
prefix=$work/prefix
keep_install_manifest "$build"
trap 'restore_install_manifest; rm -rf "$work"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" ||
    fail "cmake --install failed: $(cat "$work/install.log")"

icon_dir=share/icons/hicolor
sort >"$work/expected" <<END
bin/tavrello
share/tavrello/fonts/TavrelloSung.ttf
share/tavrello/fonts/ARPHICPL.TXT
share/applications/$id.desktop
share/metainfo/$id.metainfo.xml
$icon_dir/scalable/apps/$id.svg
$icon_dir/16x16/apps/$id.png
$icon_dir/32x32/apps/$id.png
$icon_dir/48x48/apps/$id.png
$icon_dir/256x256/apps/$id.png
share/man/man1/tavrello.1.gz
share/man/zh_CN/man1/tavrello.1.gz
share/doc/tavrello/copyright
share/doc/tavrello/changelog.gz
END
(cd "$prefix" && find . -not -type d -printf '%P\n' | sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" || fail "the install holds other files than expected"

# Uninstalling removes what the manifest lists, so it must list everything.
sed "s:^:$prefix/:" "$work/installed" >"$work/expected_manifest"
diff -u "$work/expected_manifest" <(sort "$build/install_manifest.txt") ||
    fail "the install manifest does not list exactly the installed files"

kind() { file -b "$prefix/$1"; }
[[ -x "$prefix/bin/tavrello" && "$(kind bin/tavrello)" == ELF*executable* ]] ||
    fail "bin/tavrello is not an executable program: $(kind bin/tavrello)"
for side in 16 32 48 256; do
    png=$icon_dir/${side}x$side/apps/$id.png
    [[ "$(kind "$png")" == "PNG image data, $side x $side,"* ]] ||
        fail "$png is not a $side pixel PNG: $(kind "$png")"
done
[[ "$(kind "$icon_dir/scalable/apps/$id.svg")" == *SVG* ]] || fail "the scalable icon is not SVG"
[[ "$(kind share/tavrello/fonts/TavrelloSung.ttf)" == "TrueType Font data"* ]] ||
    fail "the window's face is not a TrueType font: $(kind share/tavrello/fonts/TavrelloSung.ttf)"
grep -q "ARPHIC PUBLIC LICENSE" "$prefix/share/tavrello/fonts/ARPHICPL.TXT" ||
    fail "the face's licence is not beside it"

# What the desktop reads must point at what was installed.
entry=$prefix/share/applications/$id.desktop
entry_value() { sed -n "s/^$1=//p" "$entry"; }
exec_program=$(entry_value Exec)
[ -x "$prefix/bin/${exec_program%% *}" ] || fail "Exec=$exec_program is not an installed program"
icon=$(entry_value Icon)
icons=("$prefix/$icon_dir"/*/apps/"$icon".*)
[ ${#icons[@]} -eq 5 ] || fail "Icon=$icon names ${#icons[@]} installed icons, not 5"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' \
    "$prefix/share/metainfo/$id.metainfo.xml")
[ -f "$prefix/share/applications/$launchable" ] || fail "the metadata launches $launchable, not installed"
echo "installed files complete and consistent"
