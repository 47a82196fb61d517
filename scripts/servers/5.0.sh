# shellcheck shell=bash
# Firebird 5.0.4, the relocatable tree of ../shared/servers.
FB_NAME="Firebird 5.0"
FB_ISQL=isql
FB_FRONTS="udf udr"
FB_LOAD="4 20"  # clients, seconds
FB_GC_LOAD="3 2 30"  # writers, readers, seconds
FB_FEATURES="boolean timezones int128 cstring blob_charset partial_index"
FB_UPGRADE_FROM_WINDOWS=yes

fb_install() {
    use_tree 'firebird-5.0*-bookworm-*.tar.xz' KOVUDF_FIREBIRD_5_0 security5.fdb
}
