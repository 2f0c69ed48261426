#!/usr/bin/env bash
# The README's two commands on a fresh Debian bookworm root, as a new user
# would run them, and the Debian package installed on another fresh root:
#   1. ./build.sh play builds and ends at once with the one-line display error;
#   2. ./build.sh test passes;
#   3. cpack -G DEB makes the package in a build of its own, lintian finds no
#      error or warning in it; apt-get installs it on a second fresh root,
#      which pulls in every library it needs, and the installed tovik ends
#      with the display error again.
# The base system (debootstrap minbase with git and ca-certificates) is kept as
# a tarball outside the checkout, so that only the first run bootstraps.
# Needs root.  Logs: build-fresh-root/.
#
# Environment: TOVIK_BASE_CACHE (default /var/cache/tovik-ci), where the
# tarball is kept.
set -euo pipefail
cd "$(dirname "$0")/.."
checkout=$(pwd)
commit=$(git rev-parse HEAD)
logs=$checkout/build-fresh-root
cache=${TOVIK_BASE_CACHE:-/var/cache/tovik-ci}
tarball=$cache/bookworm-minbase.tar.gz
mirror=http://deb.debian.org/debian
started=$(date +%s)

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-root: needs root (debootstrap, chroot, mount)" >&2
    exit 1
fi
rm -rf "$logs"
mkdir -p "$logs"

scratch=$(mktemp -d /var/tmp/tovik-fresh-root.XXXXXX)
mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[$i]}" 2>/dev/null || true
    done
    rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {  # what failed, its log
    echo "FAIL fresh-root: $1 (log: $2); its last lines:"
    tail -n 40 "$2" | sed 's/^/  | /'
    exit 1
}

# Runs a command, its output to a log, failing loudly when it fails.
step() {  # name, command...
    local name=$1
    shift
    echo "== $name"
    "$@" >"$logs/$name.log" 2>&1 || fail "$name" "$logs/$name.log"
}

tool_packages=()
command -v debootstrap >/dev/null || tool_packages+=(debootstrap)
if [ ${#tool_packages[@]} -gt 0 ]; then
    step install-debootstrap tools/install-packages.sh "${tool_packages[@]}"
fi

if [ ! -f "$tarball" ]; then
    mkdir -p "$cache"
    step debootstrap debootstrap --variant=minbase --include=git,ca-certificates \
        bookworm "$scratch/base" "$mirror"
    step pack-base tar -C "$scratch/base" -czf "$tarball.part" .
    mv "$tarball.part" "$tarball"
    rm -rf --one-file-system "$scratch/base"
fi

# A root from the tarball at $scratch/NAME, with the host's mirror, name
# service and the kernel's file systems.
make_root() {  # name
    local root=$scratch/$1
    mkdir -p "$root"
    tar -C "$root" -xzf "$tarball" || return 1
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        rm -f "$root/etc/apt/sources.list"
        cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
    elif [ -f /etc/apt/sources.list ]; then
        cp /etc/apt/sources.list "$root/etc/apt/sources.list"
    fi
    # Packages are unpacked there, never started as services.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod +x "$root/usr/sbin/policy-rc.d"
    local fs
    for fs in proc sys dev; do
        mount --bind "/$fs" "$root/$fs" || return 1
        mounted+=("$root/$fs")
    done
    # Shared memory of its own, as a booted system has: the Wayland tools
    # make their buffers there.
    mount -t tmpfs -o mode=1777,size=256m tmpfs "$root/dev/shm" || return 1
    mounted+=("$root/dev/shm")
}

# A command inside a root as a new user's shell would run it: no inherited
# environment, no display.
inside() {  # root name, shell command
    chroot "$scratch/$1" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root TERM=dumb LANG=C.UTF-8 /bin/bash -c "$2"
}

# The program's one-line display error as the last line of a log, after a
# non-zero exit within the time allowed.
expect_display_error() {  # name, seconds, root name, shell command
    local name=$1 seconds=$2 root=$3 command=$4 log=$logs/$1.log
    echo "== $name"
    local code=0
    timeout "$seconds" chroot "$scratch/$root" /usr/bin/env -i \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root TERM=dumb LANG=C.UTF-8 /bin/bash -c "$command" >"$log" 2>&1 || code=$?
    if [ "$code" -eq 0 ] || [ "$code" -eq 124 ]; then
        fail "$name: exit code $code, not the display error" "$log"
    fi
    tail -n 1 "$log" | grep -q '^tovik: cannot open a display: ' ||
        fail "$name: exit code $code without the display error" "$log"
    echo "   ended with code $code: $(tail -n 1 "$log")"
}

step make-build-root make_root build
step clone git clone --quiet --no-local "$checkout" "$scratch/build/root/tovik"
step checkout git -C "$scratch/build/root/tovik" checkout --quiet --detach "$commit"

play_started=$(date +%s)
expect_display_error play 3600 build 'cd /root/tovik && ./build.sh play'
play_seconds=$(($(date +%s) - play_started))

# Once the build is done, the program itself must end at once.
expect_display_error play-again 60 build 'cd /root/tovik && ./build.sh play'

test_started=$(date +%s)
step test inside build 'cd /root/tovik && ./build.sh test'
test_seconds=$(($(date +%s) - test_started))
grep -E 'tests passed|tests failed' "$logs/test.log" | sed 's/^/   /'

# The README's recipe: a build of its own with Debian's place for a game's
# program; what cpack needs to find the libraries it uses.
step package inside build 'cd /root/tovik && tools/install-packages.sh file dpkg-dev &&
    cmake -S . -B build-deb -DCMAKE_INSTALL_BINDIR=games -DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF &&
    cmake --build build-deb && cd build-deb && cpack -G DEB'
deb=$(ls "$scratch"/build/root/tovik/build-deb/tovik_*.deb)
cp "$deb" "$logs/"
# Debian's checks of a package: errors and warnings fail.
step lintian inside build 'cd /root/tovik && tools/install-packages.sh lintian &&
    lintian --fail-on error,warning build-deb/tovik_*.deb'

step make-install-root make_root install
cp "$deb" "$scratch/install/root/"
step install-deb inside install \
    'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /root/tovik_*.deb'
# A login shell's search path, which has /usr/games.
expect_display_error installed-tovik 60 install 'cd /root && PATH=$PATH:/usr/games && tovik'
# Its version answered without a display, and its desktop files in place.
step installed-version inside install 'PATH=$PATH:/usr/games &&
    tovik --version | grep -qx "tovik [0-9][0-9.]*" &&
    test -f /usr/share/metainfo/org.example.Tovik.metainfo.xml &&
    test -f /usr/share/applications/org.example.Tovik.desktop'

echo "fresh-root: all passed in $(($(date +%s) - started)) s (play build ${play_seconds} s, test ${test_seconds} s)"
