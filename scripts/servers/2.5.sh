# shellcheck shell=bash
# Firebird 2.5.9, the relocatable tree of ../shared/servers: the legacy
# module only (2.5 has no external routines).  Its embedded engine checks
# passwords (SYSDBA, masterkey) and it knows no Srp users.
FB_NAME="Firebird 2.5"
FB_ISQL=isql
FB_FEATURES="cstring"
FB_FRONTS="udf"
FB_SRP=no
FB_COPY=(intl)

fb_install() {
    use_tree 'firebird-2.5*-bookworm-*.tar.xz' KOVUDF_FIREBIRD_2_5 security2.fdb || return 1
    FB_SERVER="$FB_HOME/bin/fb_smp_server"
    # Client programs run on the embedded engine, under the client's name.
    local client="$BUILD/servers/2.5/client"
    mkdir -p "$client"
    ln -sf "$FB_HOME/lib/libfbembed.so.2.5" "$client/libfbclient.so.2"
    FB_CLIENT="$client:$FB_HOME/lib"
}
