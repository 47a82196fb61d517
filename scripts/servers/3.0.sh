# shellcheck shell=bash
# Firebird 3.0 from Debian 12's own packages, on this machine.
FB_NAME="Firebird 3.0"
FB_HOME=/usr/lib/x86_64-linux-gnu/firebird/3.0
FB_BIN=/usr/bin
FB_ISQL=isql-fb
FB_SERVER=/usr/sbin/firebird
FB_COPY=(intl)  # the engine will not follow a symbolic link to intl/
FB_SECURITY=/var/lib/firebird/3.0/system/security3.fdb
FB_LOG=/var/log/firebird
FB_FRONTS="udf udr"
FB_FEATURES="boolean cstring"
FB_TARBALL=no  # Debian's build takes plugins from the system directory
FB_LOAD="8 20"  # clients, seconds
FB_GC_LOAD="3 2 30"  # writers, readers, seconds

fb_install() {
    install_packages firebird3.0-server firebird3.0-utils firebird-dev libib-util
}
