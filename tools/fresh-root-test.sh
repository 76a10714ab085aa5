#!/usr/bin/env bash
# Proves the README's set-up on a brand-new machine: builds a minimal Debian 12 root with
# mmdebstrap (nothing cached from earlier runs), copies this checkout into it and runs, as a new
# user would, `make test`; then builds the .deb with `make package`, installs it with apt (which
# resolves its computed dependencies) and runs the installed programs.
#
#   tools/fresh-root-test.sh            # as root (or with sudo)
#   KEEP_ROOT=1 tools/fresh-root-test.sh  # keep the root folder for a look afterwards
#
# Needs root for chroot and mount; installs mmdebstrap when it is missing.
set -euo pipefail

checkout="$(cd "$(dirname "$0")/.." && pwd)"
suite=bookworm

# The new root takes its package sources from this machine's own apt configuration: each source
# file that names the suite is handed to mmdebstrap, which pastes it into the root (one-line
# sources.list files and deb822 .sources files alike). No package host is named here.
source_files=()
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # Only entries that are not commented out count.
    grep -v '^[[:space:]]*#' "$f" | grep -qw "$suite" && source_files+=("$f")
done
if [ ${#source_files[@]} -eq 0 ]; then
    echo "fresh-root-test: no apt source for Debian $suite in /etc/apt/sources.list or" \
        "/etc/apt/sources.list.d/" >&2
    exit 1
fi

sudo_prefix=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "fresh-root-test: needs root (chroot, mount), and sudo is not installed" >&2
        exit 1
    fi
    sudo_prefix=(sudo)
fi

if ! command -v mmdebstrap >/dev/null; then
    echo "fresh-root-test: installing mmdebstrap"
    "${sudo_prefix[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_prefix[@]}" apt-get install -y -qq mmdebstrap >/dev/null
fi

work="$(mktemp -d /tmp/velmora-fresh-root.XXXXXX)"
root="$work/root"
cleanup() {
    for m in dev/pts dev proc sys; do
        mountpoint -q "$root/$m" 2>/dev/null && "${sudo_prefix[@]}" umount -l "$root/$m"
    done
    if [ "${KEEP_ROOT:-0}" = 1 ]; then
        echo "fresh-root-test: root kept in $root"
    else
        "${sudo_prefix[@]}" rm -rf "$work"
    fi
}
trap cleanup EXIT

step() { printf '\n=== fresh-root-test: %s (%s)\n' "$1" "$(date +%T)"; }

step "making a minimal Debian 12 root"
"${sudo_prefix[@]}" mmdebstrap --quiet --variant=minbase --include=git,make,ca-certificates \
    "$suite" "$root" "${source_files[@]}"

step "copying the checkout (tracked files as they are in the work tree)"
"${sudo_prefix[@]}" mkdir -p "$root/src/velmora"
(cd "$checkout" && git ls-files -z --cached --others --exclude-standard |
    tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | "${sudo_prefix[@]}" tar -xf - -C "$root/src/velmora"

"${sudo_prefix[@]}" mount --bind /dev "$root/dev"
"${sudo_prefix[@]}" mount --bind /dev/pts "$root/dev/pts"
"${sudo_prefix[@]}" mount -t proc proc "$root/proc"
"${sudo_prefix[@]}" mount -t sysfs sysfs "$root/sys"
"${sudo_prefix[@]}" cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

in_root() {
    "${sudo_prefix[@]}" chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM=dumb JOBS="$(nproc)" /bin/bash -euo pipefail -c "$1"
}

step "make test, as the README says"
in_root 'cd /src/velmora && make test'

step "make install puts the Python module where python3 finds it"
in_root '
    cd /src/velmora && make install >/dev/null
    cd / && env -u DISPLAY python3 -c "import velmora; print(velmora.__file__)" | grep -q "^/usr/local/lib/python3"
    echo "python3 -c \"import velmora\" works after make install"
    rm -f /usr/local/lib/python3*/dist-packages/velmora.*
'

step "make package, then install the .deb with apt"
in_root 'cd /src/velmora && make package && apt-get install -y -qq ./build/velmora_*.deb >/dev/null'

step "the installed programs"
in_root '
    out="$(velmora-cli report /usr/share/velmora/KESTMORE.RBP | tail -1)"
    echo "velmora-cli report /usr/share/velmora/KESTMORE.RBP: $out"
    [ "$out" = "*** Simulator appears to be validated" ]
    velmora-cli --help >/dev/null
    man -w velmora-cli >/dev/null 2>&1 || [ -e /usr/share/man/man1/velmora-cli.1.gz ] ||
        [ -e /usr/share/man/man1/velmora-cli.1 ]
    [ -e /usr/share/applications/velmora.desktop ]
    [ -e /usr/share/icons/hicolor/scalable/apps/velmora.svg ]
    rm -rf /root/.config/velmora
    # The window saves its state when asked to end (SIGTERM), as at a desktop log-out.
    QT_QPA_PLATFORM=offscreen velmora & pid=$!
    sleep 3
    kill -TERM $pid
    wait $pid
    test -s /root/.config/velmora/Default.INI
    grep -q "^\[Displacer\]" /root/.config/velmora/Default.INI
    echo "installed window wrote /root/.config/velmora/Default.INI at exit"
    [ ! -e /usr/bin/Default.INI ]
    cd / && env -u DISPLAY python3 -c "import velmora; d = velmora.Design.load(\"/usr/share/velmora/KESTMORE.RBP\"); print(velmora.__file__, d.evaluate().indicated_power_w)"
'

step "passed"
