# shellcheck shell=bash
# Firebird 2.5.9 for 32-bit Windows, a mingw-w64 build of the upstream tag
# (../shared/servers), under Wine: the legacy DLL in the server it was made
# for.  Embedded as the kit has it (fbembed.dll as the client library
# beside the tools), and as a SuperServer (bin\fbserver.exe) that Linux
# clients reach over TCP, with its gbak and gfix.  The legacy front only;
# GDS32.DLL in the prefix's 32-bit system directory, as docs/windows.md
# says.
FB_NAME="Windows 2.5 i686"
FB_ISQL=isql.exe
FB_FRONTS="udf"
FB_FEATURES="cstring"
FB_SRP=no
FB_VARIANT="windows 2.5"
FB_WINDOWS=32
FB_TARBALL=no

# Its clients here: the Linux 2.5 tree's isql.
fb_install() {
    use_windows_tree 'firebird-2.5.9-windows-i686*.tar.xz' KOVUDF_FIREBIRD_WIN32_2_5 &&
        FB_CLIENT_ISQL="$(server_tree 'firebird-2.5*-bookworm-*.tar.xz' KOVUDF_FIREBIRD_2_5)/bin/isql"
}
