#!/usr/bin/env bash
# Builds the Debian package and runs Debian's package checker on it: it must report nothing at
# warning level or above. Skipped where the checker is not installed.
#   check_lintian.sh CPACK BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/check_helpers.sh"
command -v lintian >/dev/null || { echo "lintian is not installed"; exit 77; }

work=$(mktemp -d)
keep_install_manifest "$2"
trap 'restore_install_manifest; rm -rf "$work"' EXIT
package=$(build_debian_package "$1" "$2" "$work")
lintian --fail-on error,warning "$package" >"$work/lintian.log" ||
    fail "lintian reports faults in the package: $(cat "$work/lintian.log")"
echo "lintian accepts the package"
