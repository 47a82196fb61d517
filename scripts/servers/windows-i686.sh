# shellcheck shell=bash
# Firebird 4.0.5 for 32-bit Windows, as windows-x64.sh, run in a 64-bit
# prefix (WoW64).  The 32-bit legacy module imports GDS32.DLL, which the
# profile puts where the README says: the prefix's 32-bit system directory.
FB_NAME="Windows 4.0 i686"
FB_ISQL=isql.exe
FB_FRONTS="udf udr"
# This build hangs on INT128 and NUMERIC(38) values and miscomputes BIGINT
# products (a numeric overflow, or no end): no int128 here.
FB_FEATURES="boolean timezones cstring blob_charset"
FB_VARIANT=windows
FB_WINDOWS=32
FB_TARBALL=no

fb_install() { use_windows_tree 'firebird-4.0.5-windows-i686*.tar.xz' KOVUDF_FIREBIRD_WIN32; }
