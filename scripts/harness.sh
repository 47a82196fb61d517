# shellcheck shell=bash
# harness.sh - what every part of ./run shares: messages, installing
# packages, running quietly, and the pass and fail counts of ./run test.
#
#   say TEXT...               a progress line on stderr
#   quietly COMMAND...        runs the command; its output shows only when it fails
#   as_root COMMAND...        through sudo unless already root
#   install_packages PKG...   apt-get install what is missing
#   check NAME COMMAND...     one pass or fail
#   run_gtest NAME COMMAND... counts a GoogleTest run's results
#   run_counted NAME COMMAND... counts a program ending with "N passed, N failed"
#   skip NAME WHY             a check that cannot run here, said, not counted

say() { printf '== %s\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

quietly() {
    local log status=0
    log="$(mktemp)"
    "$@" >"$log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || cat "$log" >&2
    rm -f "$log"
    return "$status"
}

apt_updated=no
install_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing ${missing[*]}"
    # A mirror in the middle of a sync fails an index now and then, and
    # where the one it fails is an architecture's security index, the two
    # architectures' versions of a library no longer match (wine32:i386
    # cannot be installed).  So fetch the indexes again and take the
    # release's own versions, which every architecture has, before giving up.
    local try release=()
    for try in 1 2 3; do
        if [ "$apt_updated" = no ] || [ "$try" -gt 1 ]; then
            as_root apt-get update -qq || say "apt-get update failed (try $try of 3)"
            apt_updated=yes
        fi
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            "${release[@]}" "${missing[@]}" >/dev/null && return 0
        release=(-t "$(. /etc/os-release && echo "$VERSION_CODENAME")")
        [ "$try" -ne 2 ] || sleep 60
    done
    return 1
}

# Wine's 32-bit half comes from the i386 architecture.
enable_i386() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        say "adding the i386 architecture for 32-bit Wine"
        as_root dpkg --add-architecture i386
        apt_updated=no
    fi
}

passed=0
failed=0
pass() { passed=$((passed + $1)); }
fail() { failed=$((failed + $1)); }

check() {
    local name="$1"
    shift
    if "$@"; then
        pass 1
    else
        say "FAILED: $name"
        fail 1
    fi
}

skip() {
    say "skipped: $1 ($2)"
}

run_gtest() {
    local name="$1" log ok bad
    shift
    log="$(mktemp)"
    say "unit tests: $name"
    "$@" >"$log" 2>&1 || true
    ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
    bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -1)
    if [ -z "$ok" ] && [ -z "$bad" ]; then
        cat "$log" >&2
        say "$name: no result (crashed?)"
        fail 1
    else
        pass "${ok:-0}"
        fail "${bad:-0}"
        [ -z "$bad" ] || grep -E '^\[  FAILED  \]|Failure|error' "$log" | head -40 >&2
    fi
    rm -f "$log"
}

run_counted() {
    local name="$1" log ok bad
    shift
    log="$(mktemp)"
    say "$name"
    "$@" >"$log" 2>&1 || true
    ok=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed.*/\1/p' "$log" | tail -1)
    bad=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed.*/\2/p' "$log" | tail -1)
    if [ -z "$ok" ]; then
        cat "$log" >&2
        fail 1
    else
        pass "$ok"
        fail "$bad"
        [ "$bad" = 0 ] || cat "$log" >&2
    fi
    rm -f "$log"
}
