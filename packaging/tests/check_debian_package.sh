#!/usr/bin/env bash
# Builds the Debian package, checks that its dependencies cover every library the program
# links against, unpacks it and starts the unpacked program: headless, and on a virtual X
# display where its window must appear, drawn in the face the package brings. Asked to stop,
# it must exit with status 0.
#   check_debian_package.sh CPACK BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/check_helpers.sh"
cpack=$1
build=$2
require_tools dpkg-deb dpkg-shlibdeps dpkg-query file readelf ldd Xvfb xwininfo

work=$(mktemp -d)
program_pid=
display_pid=
keep_install_manifest "$build"
cleanup() {
    # Killed outright: a program left running here is one that would not stop when asked.
    [ -z "$program_pid" ] || kill -KILL "$program_pid" 2>/dev/null || true
    [ -z "$display_pid" ] || kill "$display_pid" 2>/dev/null || true
    restore_install_manifest
    rm -rf "$work"
}
trap cleanup EXIT

package=$(build_debian_package "$cpack" "$build" "$work")
[ "$(dpkg-deb -f "$package" Package)" = tavrello ] || fail "the package is not named tavrello"
[ "$(dpkg-deb -f "$package" Architecture)" = "$(dpkg --print-architecture)" ] ||
    fail "the package is not for this machine's architecture"

dpkg-deb -x "$package" "$work/root"
program=$work/root/usr/bin/tavrello
[ -x "$program" ] || fail "the package holds no usr/bin/tavrello"

# Each library the program needs must come from a package it depends on.
depends=$(dpkg-deb -f "$package" Depends | tr ',|' '\n\n' | sed 's/(.*//; s/ //g')
owner_of() {
    local candidate owner
    # Libraries live under /lib or /usr/lib, and dpkg knows each by one of the two.
    for candidate in "$1" "${1#/usr}" "/usr$1"; do
        if owner=$(dpkg-query -S "$candidate" 2>/dev/null); then
            echo "${owner%%:*}"
            return
        fi
    done
    fail "no package ships $1"
}
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$needed" ] || fail "the program needs no libraries, so it is not the Qt program"
for library in $needed; do
    path=$(ldd "$program" | awk -v library="$library" '$1 == library { print $3 }')
    [ -n "$path" ] || fail "$library is not found on this machine"
    owner=$(owner_of "$path")
    grep -qx "$owner" <<<"$depends" || fail "$library comes from $owner, which the package does not depend on"
done

start_program() {
    env "$@" "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
}

stop_program() {
    kill -0 "$program_pid" 2>/dev/null || fail "the program stopped on its own: $(cat "$work/program.log")"
    kill -TERM "$program_pid"
    for _ in $(seq 50); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$program_pid" 2>/dev/null && fail "the program does not stop when asked"
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    [ "$status" -eq 0 ] || fail "asked to stop, the program exited with status $status: $(cat "$work/program.log")"
}

# Headless: it must come up and stay up until asked to stop.
start_program QT_QPA_PLATFORM=offscreen
sleep 2
stop_program

# On a virtual X display its window must appear under its title.
# Its built-in fonts are enough, so no X font package is needed.
Xvfb -displayfd 3 -nolisten tcp -fp built-ins -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.log" &
display_pid=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.2
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=:$(head -1 "$work/display")
start_program DISPLAY="$display" QT_QPA_PLATFORM=xcb
window_shown=false
for _ in $(seq 75); do
    if xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Tavrello": ('; then
        window_shown=true
        break
    fi
    sleep 0.2
done
$window_shown || fail "no window titled Tavrello appeared: $(cat "$work/program.log")"
# The window's text comes from the small face beside the program, not the 5 MB system face.
maps=$(cat "/proc/$program_pid/maps")
grep -q "$work/root/usr/share/tavrello/fonts/TavrelloSung.ttf" <<<"$maps" ||
    fail "the unpacked program did not read its own face"
grep -q gbsn00lp.ttf <<<"$maps" && fail "the program read the full system face at start"
stop_program
echo "package dependencies complete; the unpacked program shows its window and stops cleanly"
