# shellcheck shell=bash
# Firebird 5.0.4 for 64-bit Windows, a mingw-w64 build of the upstream tag
# (../shared/servers), run under Wine in a prefix of its own: embedded from
# outside its root, as a Windows service runs, and as a server, firebird.exe,
# that this machine's clients reach over TCP as Linux clients reach a
# Windows server.  Its gbak and gfix are there.
FB_NAME="Windows 5.0 x64"
FB_ISQL=isql.exe
FB_FRONTS="udf udr"
FB_FEATURES="boolean timezones int128 cstring blob_charset partial_index"
FB_VARIANT=windows
FB_WINDOWS=64
FB_TARBALL=no
FB_LOAD="4 20"  # clients, seconds
# The tree's firebird.conf names every provider, so a local path would try
# a server in the same prefix first.
FB_CONF="Providers = Engine13"

# Its clients here: the Linux 5.0 tree's isql, which knows the types a 5.0
# server returns (Debian's 3.0 one fails on a SUM's INT128).
fb_install() {
    use_windows_tree 'firebird-5.0.4-windows-x64*.tar.xz' KOVUDF_FIREBIRD_WIN64_5 &&
        FB_CLIENT_ISQL="$(server_tree 'firebird-5.0*-bookworm-*.tar.xz' KOVUDF_FIREBIRD_5_0)/bin/isql"
}
