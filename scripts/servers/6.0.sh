# shellcheck shell=bash
# The Firebird 6.0 development snapshot of ../shared/servers (its README
# names the commit).  Any legacy UDF call crashes its engine before a
# module's code runs, and upstream has announced the end of CSTRING
# parameters: the routines only.
FB_NAME="Firebird 6.0"
FB_ISQL=isql
FB_FRONTS="udr"
FB_LEGACY=crashes
FB_FEATURES="boolean timezones int128 blob_charset partial_index"
FB_GC_LOAD="3 2 30"  # writers, readers, seconds
# Its gbak crashes restoring an old backup with an index computed by a
# legacy function: such a database is restored and migrated on 5.0 first.
FB_UPGRADE_THROUGH=5.0

fb_install() {
    use_tree 'firebird-6.0*-bookworm-*.tar.xz' KOVUDF_FIREBIRD_6_0 security6.fdb
}
