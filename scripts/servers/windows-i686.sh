# shellcheck shell=bash
# Firebird 4.0.5 for 32-bit Windows: windows-x64.sh's build for the other
# width, run in a 64-bit prefix (WoW64).  The 32-bit legacy module imports
# GDS32.DLL, which the profile puts where the README says: the prefix's
# 32-bit system directory.
# shellcheck source=windows-x64.sh
. "$ROOT/scripts/servers/windows-x64.sh"
FB_NAME="Windows 4.0 i686"
FB_WINDOWS=32

fb_install() { use_windows_tree 'firebird-4.0.5-windows-i686*.tar.xz' KOVUDF_FIREBIRD_WIN32; }
