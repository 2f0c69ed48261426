#!/usr/bin/env bash
# Installs those of the named Debian/Ubuntu packages that are missing, through
# sudo when not root.
#
# Another package manager may hold the package system's locks (on a fresh
# desktop, the daily update and unattended-upgrades): this waits for them, up
# to TOVIK_LOCK_WAIT seconds (default 300), saying once what it waits for.
set -euo pipefail
missing=()
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

wait_limit=${TOVIK_LOCK_WAIT:-300}
deadline=$((SECONDS + wait_limit))
# apt's locks: the index lists (apt-get update), the downloaded archives, and
# dpkg's own.  apt-get waits for dpkg's with DPkg::Lock::Timeout (below) but
# not for the other two, so the script waits for all of them itself first.
locks=(/var/lib/apt/lists/lock /var/cache/apt/archives/lock /var/lib/dpkg/lock-frontend
       /var/lib/dpkg/lock)

# The process holding a lock on `file`, from /proc/locks (apt's locks are
# fcntl locks, which flock(1) does not see); nothing when none does.  The lock
# is known by its file's inode number alone: file systems such as btrfs give
# stat(1) another device number than /proc/locks shows.
lock_holder() {  # file
    local inode
    inode=$(stat -c %i "$1" 2>/dev/null) || return 0
    # A line ends "PID MAJ:MIN:INODE START END"; one that waits has "->" in it.
    awk -v inode="$inode" '$2 != "->" && $(NF - 2) ~ (":" inode "$") { print $(NF - 3); exit }' \
        /proc/locks
}

told=0
wait_for_locks() {
    local lock pid name
    for lock in "${locks[@]}"; do
        while pid=$(lock_holder "$lock") && [ -n "$pid" ]; do
            name=$(cat "/proc/$pid/comm" 2>/dev/null || echo "?")
            if [ "$SECONDS" -ge "$deadline" ]; then
                echo "install-packages: gave up after ${wait_limit} s: $lock is still held by" \
                     "process $pid ($name); try again when it has finished" >&2
                exit 1
            fi
            if [ "$told" -eq 0 ]; then
                echo "install-packages: waiting up to ${wait_limit} s for another package" \
                     "manager: $lock is held by process $pid ($name)" >&2
                told=1
            fi
            sleep 2
        done
    done
}

# What is left of the wait, for apt-get's own wait for dpkg's locks.
remaining() { local left=$((deadline - SECONDS)); echo $((left > 0 ? left : 0)); }

wait_for_locks
$sudo apt-get update -qq
wait_for_locks
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o "DPkg::Lock::Timeout=$(remaining)" \
    install -y -qq "${missing[@]}"
