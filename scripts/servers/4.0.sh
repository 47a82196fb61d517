# shellcheck shell=bash
# Firebird 4.0 from Debian 13's own packages, in a Debian 13 system of its
# own.  Its /usr/bin tools are wrappers that reset FIREBIRD, so the programs
# are called where they lie; it refuses a plugin reached through a symbolic
# link, so a private root holds real copies of plugins/, intl/ and lib/.
FB_NAME="Firebird 4.0"
FB_HOME=/usr/lib/x86_64-linux-gnu/firebird/4.0
FB_BIN=/usr/lib/firebird/4.0/bin
FB_ISQL=isql-fb
FB_SERVER=/usr/lib/firebird/4.0/bin/firebird
FB_COPY=(plugins intl lib firebird.msg)
FB_SECURITY=/var/lib/firebird/4.0/system/security4.fdb
FB_LOG=/var/log/firebird
FB_FRONTS="udf udr"
FB_FEATURES="boolean timezones int128 cstring blob_charset"

# The same system builds the Debian 13 package, with its own compiler and
# libraries, and deploys it.
FB_DEBIAN=13

fb_install() {
    FB_CHROOT=$(debian_chroot debian13-firebird4 trixie firebird4.0-server-core \
        firebird4.0-utils firebird4.0-server libib-util build-essential cmake file firebird-dev \
        libboost-dev)
}
