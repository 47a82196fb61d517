# shellcheck shell=bash
# chroot.sh - Debian systems of their own, for servers that do not belong on
# this machine: made once with debootstrap into a cache directory outside
# the clone, and reused by every later run.
#
#   debian_chroot NAME SUITE PACKAGE...  the directory of a minbase SUITE
#                                        system with PACKAGE... installed
#   in_chroot DIR [FIXED:PRIVATE] COMMAND...
#                                        runs COMMAND inside DIR, in a mount
#                                        namespace of its own holding /proc,
#                                        the paths of CHROOT_BINDS (this
#                                        clone and /tmp) at their own paths, and
#                                        PRIVATE over the tree's FIXED, in
#                                        the same working directory

KOVUDF_CACHE="${KOVUDF_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kovudf}"
CHROOT_BINDS=("$ROOT" /tmp)

# The Debian mirror this machine's apt uses.
debian_mirror() {
    cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
        sed -n -e 's/^URIs: *\([^ ]*\).*/\1/p' \
            -e 's/^deb  *\(\[[^]]*\] *\)\{0,1\}\([^ ]*\) .*/\2/p' |
        grep -v security | grep -m 1 . || true
}

in_chroot() {
    local dir="$1" fixed="" private=""
    shift
    if [[ ${1:-} == /*:/* ]]; then
        fixed="${1%%:*}" private="${1#*:}"
        shift
    fi
    as_root unshare --mount --fork sh -c '
        dir=$1 binds=$2 fixed=$3 private=$4
        shift 4
        mount -t proc proc "$dir/proc" || exit 1
        for path in $binds; do
            mkdir -p "$dir$path" && mount --bind "$path" "$dir$path" || exit 1
        done
        if [ -n "$fixed" ]; then
            mkdir -p "$dir$fixed" && mount --bind "$private" "$dir$fixed" || exit 1
        fi
        exec chroot "$dir" sh -c '\''cd "$0" 2>/dev/null; exec "$@"'\'' "$@"' \
        sh "$dir" "${CHROOT_BINDS[*]}" "$fixed" "$private" "$PWD" "$@"
}

# The packages install with nothing of this machine's bound in: their
# scripts may start the server's tools, whose default lock directory is
# /tmp/firebird.
debian_chroot() {
    local name="$1" suite="$2" dir="$KOVUDF_CACHE/$1" mirror
    local -a CHROOT_BINDS=()
    shift 2
    local ready
    ready=$(cat "$dir/.kovudf-ready" 2>/dev/null)
    if [ "$ready" = "$suite $*" ]; then
        echo "$dir"
        return 0
    fi
    # A system of the same suite only needs the packages added.
    if [ "${ready%% *}" != "$suite" ]; then
        install_packages debootstrap
        mirror=$(debian_mirror)
        [ -n "$mirror" ] || { echo "no Debian mirror in this machine's apt sources" >&2; return 1; }
        say "making a Debian $suite system for $* in $dir (once)"
        as_root rm -rf "$dir"
        mkdir -p "$KOVUDF_CACHE"
        quietly as_root debootstrap --variant=minbase "$suite" "$dir" "$mirror" || return 1
        as_root cp /etc/resolv.conf "$dir/etc/resolv.conf"
        printf '#!/bin/sh\nexit 101\n' | as_root tee "$dir/usr/sbin/policy-rc.d" >/dev/null
        as_root chmod 755 "$dir/usr/sbin/policy-rc.d"
    else
        say "adding $* to the Debian $suite system in $dir (once)"
    fi
    quietly in_chroot "$dir" apt-get update -qq &&
        quietly in_chroot "$dir" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "$@" &&
        quietly in_chroot "$dir" apt-get clean || return 1
    echo "$suite $*" | as_root tee "$dir/.kovudf-ready" >/dev/null
    echo "$dir"
}
