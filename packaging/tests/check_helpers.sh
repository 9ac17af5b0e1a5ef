# Sourced by the packaging checks.

# A missing tool fails the check: skipping would pass a package nobody looked at.
require_tools() {
    local tool missing=()
    for tool in "$@"; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "FAIL: missing tools: ${missing[*]} (bash scripts/install-dependencies test installs them)" >&2
        exit 1
    fi
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Every install of a build rewrites the build's install manifest, which someone may keep for
# uninstalling a real install; put it back as it was when the check ends.
keep_install_manifest() {
    manifest=$1/install_manifest.txt
    manifest_copy=$(mktemp)
    if [ -f "$manifest" ]; then
        cp "$manifest" "$manifest_copy"
    else
        rm "$manifest_copy"
    fi
}

restore_install_manifest() {
    if [ -f "$manifest_copy" ]; then
        mv "$manifest_copy" "$manifest"
    else
        rm -f "$manifest"
    fi
}

# build_debian_package CPACK BUILD_DIR WORK_DIR: builds the build's Debian package into
# WORK_DIR/out and prints its path.
build_debian_package() {
    local cpack=$1 build=$2 work=$3 packages
    (cd "$work" && "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out") \
        >"$work/cpack.log" 2>&1 || fail "cpack failed: $(cat "$work/cpack.log")"
    packages=("$work"/out/*.deb)
    [ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "expected one package: ${packages[*]}"
    echo "${packages[0]}"
}
