#!/usr/bin/env bash
# Validates the desktop entry and the AppStream metadata as desktops and software centres read
# them, and checks that they name each other and carry the Chinese texts.
#   check_desktop_files.sh DESKTOP_ENTRY METAINFO
set -euo pipefail
source "$(dirname "$0")/check_helpers.sh"
desktop_entry=$1
metainfo=$2
require_tools desktop-file-validate appstreamcli

# Hints are advice (Education and Science are both main categories, as intended); warnings and
# errors are faults.
report=$(desktop-file-validate "$desktop_entry") || fail "desktop-file-validate: $report"
if grep -E ': (warning|error):' <<<"$report"; then
    fail "desktop-file-validate found faults in $desktop_entry"
fi
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"

entry_value() { awk -v key="$1" 'index($0, key "=") == 1 { print substr($0, length(key) + 2) }' "$desktop_entry"; }
for key in Name 'Name[zh_CN]' GenericName 'GenericName[zh_CN]' Comment 'Comment[zh_CN]'; do
    [ -n "$(entry_value "$key")" ] || fail "the desktop entry has no $key"
done
for category in Education Science Math; do
    grep -q "^Categories=\(.*;\)\?$category;" "$desktop_entry" || fail "not in the $category category"
done

id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[ "$(basename "$desktop_entry")" = "$id.desktop" ] || fail "the desktop entry is not named $id.desktop"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
[ "$(entry_value Icon)" = "$id" ] || fail "the desktop entry's icon is not $id"
echo "desktop entry and metadata valid and consistent"
