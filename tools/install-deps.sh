#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet. As root it uses
# apt-get directly, otherwise sudo. When they cannot be installed (no root and no sudo, no
# network, unknown package) it stops with one line naming the missing packages, so that make
# never goes on to a confusing CMake error.
set -uo pipefail

missing=()
for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

fail() {
    echo "Cannot install the missing packages: ${missing[*]} ($1)" >&2
    exit 1
}

if [ "$(id -u)" -eq 0 ]; then
    run=()
elif command -v sudo >/dev/null 2>&1; then
    run=(sudo)
else
    fail "not root and sudo is not installed; install them as root"
fi
command -v apt-get >/dev/null 2>&1 || fail "apt-get not found; this set-up is for Debian 12"

echo "Installing: ${missing[*]}"
log="$(mktemp /tmp/velmora-apt.XXXXXX.log)"
if ! "${run[@]}" apt-get update -qq >"$log" 2>&1 ||
    ! "${run[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >>"$log" 2>&1; then
    fail "apt-get failed, see $log"
fi
rm -f "$log"
