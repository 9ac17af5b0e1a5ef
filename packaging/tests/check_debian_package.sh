#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package: its dependencies cover every library the program links against,
# and the unpacked program starts headless, draws in the face it brings and exits with status 0
# when asked to stop. With "lintian", Debian's package checker must instead report nothing at
# warning level or above (skipped where it is not installed).
#   check_debian_package.sh CPACK BUILD_DIR [lintian]
set -euxo pipefail
cpack=$1 build=$2
work=$(mktemp -d)
pid=
cp "$build/install_manifest.txt" "$work/manifest" 2>/dev/null || true
trap '[ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null; mv "$work/manifest" "$build/install_manifest.txt" 2>/dev/null ||
      rm -f "$build/install_manifest.txt"; rm -rf "$work"' EXIT

(cd "$work" && "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
package=$(echo "$work"/out/tavrello_*.deb)
if [ "${3:-}" = lintian ]; then
    command -v lintian >/dev/null || exit 77
    lintian --fail-on error,warning "$package"
    exit
fi
dpkg-deb -x "$package" "$work/root"
program=$work/root/usr/bin/tavrello
depends=$(dpkg-deb -f "$package" Depends | tr ',|' '\n\n' | sed 's/(.*//; s/ //g')
for library in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    path=$(ldd "$program" | awk -v library="$library" '$1 == library { print $3 }')
    owner=$(dpkg-query -S "$path" 2>/dev/null || dpkg-query -S "/usr$path" 2>/dev/null || dpkg-query -S "${path#/usr}")
    grep -qx "${owner%%:*}" <<<"$depends"
done

# The analysis and the indirect measurement find the modules they load on first use where the
# package put them.
printf '10.1 10.3 10.2 10.4 10.0' | "$program" --analyse | grep -q "^测量结果：x = (10.20 ± 0.20)"
printf '模型 y = 2*x\n测量列 x = 10.1 10.3 10.2 10.4 10.0\n' | "$program" --propagate --draws 10000 |
    grep -q "^测量结果：y = (20.40 ± 0.39)"

QT_QPA_PLATFORM=offscreen "$program" &
pid=$!
sleep 2
grep -q "$work/root/usr/share/tavrello/fonts/TavrelloSung.ttf" "/proc/$pid/maps"
kill -TERM "$pid"
timeout 10 tail --pid="$pid" -f /dev/null
wait "$pid"
pid=
