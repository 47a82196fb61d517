# shellcheck shell=bash
# Firebird 3.0 from Debian 12's packages in a Debian 12 system of its own,
# where the release's Debian package can be installed and removed without
# touching this machine.
FB_NAME="Firebird 3.0 (a Debian 12 system of its own)"
FB_HOME=/usr/lib/x86_64-linux-gnu/firebird/3.0
FB_BIN=/usr/bin
FB_ISQL=isql-fb
FB_SERVER=/usr/sbin/firebird
FB_COPY=(intl)
FB_SECURITY=/var/lib/firebird/3.0/system/security3.fdb
FB_LOG=/var/log/firebird
FB_FEATURES="boolean cstring"
FB_FRONTS="udf udr"
FB_DEBIAN=12

fb_install() {
    FB_CHROOT=$(debian_chroot debian12-firebird3 bookworm firebird3.0-server firebird3.0-utils libib-util)
}
