# shellcheck shell=bash
# Firebird 4.0.5 for 64-bit Windows, a mingw-w64 build of Debian's source
# (../shared/servers), run embedded under Wine in a prefix of its own and
# from outside its root, as a Windows service is.  There is no server
# process, gbak or gfix in the tree: the suites that need none run here.
FB_NAME="Windows 4.0 x64"
FB_ISQL=isql.exe
FB_FRONTS="udf udr"
# This build hangs on INT128 and NUMERIC(38) values and miscomputes BIGINT
# products (a numeric overflow, or no end): no int128 here.
FB_FEATURES="boolean timezones cstring blob_charset"
FB_VARIANT=windows
FB_WINDOWS=64
FB_TARBALL=no

fb_install() { use_windows_tree 'firebird-4.0.5-windows-x64*.tar.xz' KOVUDF_FIREBIRD_WIN64; }
