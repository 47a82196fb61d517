# shellcheck shell=bash
# firebird.sh - running the library in a Firebird server: server profiles,
# private roots, databases with the functions declared, and the server's
# tools with a log of their own.
#
# A server profile, scripts/servers/NAME.sh, is the one place a server's
# identity lives; use_server NAME loads it.  A profile sets
#   FB_NAME      what the run calls the server ("Firebird 3.0")
#   FB_HOME      the server's own root, which a private root mirrors
#   FB_BIN       the directory of its isql, gbak and gfix; FB_ISQL is isql's
#                file name there
#   FB_SERVER    its SuperServer program
#   FB_COPY      entries of FB_HOME a private root holds as real copies (the
#                rest are symbolic links); "all" copies every entry
#   FB_SECURITY  the security database a server's root starts from
#   FB_LOG       the directory the engine writes its log to, fixed when it
#                was built ("" when it writes into the root)
#   FB_CHROOT    the system tree the server runs in, "" for this machine
#   FB_FRONTS    the fronts that run there: udf (legacy), udr (routines)
#   FB_LEGACY    "works", or what a legacy call does where it cannot run
#                ("crashes")
#   FB_FEATURES  what its SQL offers: boolean, timezones, int128 (beyond
#                Firebird 2.5's), cstring (CSTRING columns, up to 5.0),
#                blob_charset (a function's text BLOB result keeps its
#                character set; 4.0 on), partial_index (CREATE INDEX ...
#                WHERE, and a restore marks an index it could not compute
#                3, not 1; 5.0 on); a SQL test needing one says so
#   FB_SRP       "yes" when its users are Srp users (3.0 and later), so a
#                server's SYSDBA gets a password of ours
#   FB_CLIENT    the library path where client programs of ours find the
#                server's libfbclient.so.2 ("" for the system's)
#   FB_TARBALL   "yes" when the release tarball's Firebird-root layout
#                works in a copy of its root
#   FB_LOAD      "CLIENTS SECONDS" for the load test on a real server there,
#                "" for none
#   FB_GC_LOAD   "WRITERS READERS SECONDS" for the load that makes the server
#                collect old keys of indexes the routines compute, "" for
#                none
#   FB_DEBIAN    the Debian release of its system of its own whose package
#                of ours is deployed there ("" for none)
#   FB_WINDOWS   32 or 64 for a Windows build run under Wine (the DLLs of
#                build/win32 or build/win64), "" for Linux; its programs
#                are NAME.exe, and its server (where FB_SERVER names one)
#                is reached by this machine's clients over TCP
#   FB_CONF      lines a private root's firebird.conf adds for the embedded
#                engine ("Providers = Engine13": no local server first)
#   FB_CLIENT_ISQL  the Linux isql that reaches a Windows server (one of
#                its version, that knows its types; default Debian's)
#   FB_VARIANT   names the expected outputs of several servers share, the
#                first that has one taken
#                ("windows"), "" for none
#   FB_UPGRADE_THROUGH  the server an old database is restored and migrated
#                on before it comes here ("" for none: it comes straight)
#   FB_UPGRADE_FROM_WINDOWS  "yes": its upgrade journey also takes the
#                database made on Windows 2.5
# and defines fb_install, which installs or unpacks the server and sets
# what only then is known (FB_HOME of a tree, FB_CHROOT).
#
#   use_server NAME                         load a profile
#   has_feature FEATURE, runs_front FRONT   what the loaded profile says
#   make_root DIR [UDF_DIR [stock]]         a private root: UdfAccess allows
#                                           UDF_DIR (default build/; "default":
#                                           the server's own setting; "full":
#                                           any module), routines from
#                                           build/udr, or with "stock" the
#                                           server's own plugins.conf; garbage
#                                           collected cooperatively (with
#                                           GC_POLICY=default the server's own
#                                           way)
#   databases_conf_add DIR LINES            the root's databases.conf, a copy
#                                           of the server's, gains LINES
#   fb_isql|fb_gbak|fb_gfix ARGS...         the server's tools on $FBROOT
#   has_tool NAME                           the server has that tool
#   fb_path PATH                            PATH as the server names files
#   create_database FILE KIND [DIALECT [CHARSET]]
#                                           a new database with every
#                                           function declared as KIND (udf or
#                                           udr), dialect 3, character set NONE
#   declaration_scripts KIND DIALECT CHARSET the names of the scripts in sql/
#                                           that declare them
#   database_is_intact FILE [ARGS...]       gfix -v -full (with ARGS) finds
#                                           nothing

use_server() {
    local profile="$ROOT/scripts/servers/$1.sh"
    [ -f "$profile" ] || { echo "no server profile $1" >&2; return 1; }
    FB_CHROOT="" FB_LOG="" FB_COPY=() FB_LEGACY=works FB_FEATURES="" FB_SRP=yes FB_CLIENT=""
    FB_TARBALL=yes FB_LOAD="" FB_GC_LOAD="" FB_DEBIAN="" FB_WINDOWS="" FB_MODULES="" FB_VARIANT=""
    FB_UPGRADE_THROUGH="" FB_UPGRADE_FROM_WINDOWS="" FB_CONF="" FB_EXE="" FB_CLIENT_ISQL=""
    # shellcheck source=servers/3.0.sh
    . "$profile"
    SERVER_ID="$1"
    FBROOT="$BUILD/servers/$1/root"
    FBLOCK="$BUILD/servers/$1/lock"
    FBLOG="$BUILD/servers/$1/log"
    WINE_PREFIX="$BUILD/servers/$1/wineprefix"
    WINE_CWD="$BUILD/servers/$1/elsewhere"
}

# Whether the loaded server's SQL offers FEATURE, and whether FRONT runs there.
has_feature() { [[ " $FB_FEATURES " == *" $1 "* ]]; }
runs_front() { [[ " $FB_FRONTS " == *" $1 "* ]]; }

# fb_run COMMAND...: a program of the server's, in its system tree, with the
# engine's log bound to a directory of our own where the server writes it
# to a fixed place.
fb_run() {
    [ -z "$FB_WINDOWS" ] || { windows_fb_run "$@"; return; }
    mkdir -p "$FBLOCK" "$FBLOG"
    local environment=(FIREBIRD="$FBROOT" FIREBIRD_LOCK="$FBLOCK" FIREBIRD_TMP="$FBLOCK"
        ISC_USER="${ISC_USER:-SYSDBA}" ISC_PASSWORD="${ISC_PASSWORD:-masterkey}")
    if [ -n "$FB_CHROOT" ]; then
        in_chroot "$FB_CHROOT" ${FB_LOG:+"$FB_LOG:$FBLOG"} env "${environment[@]}" "$@"
    elif [ -n "$FB_LOG" ] && [ -d "$FB_LOG" ] && unshare --mount true 2>/dev/null; then
        env "${environment[@]}" unshare --mount sh -c \
            'mount --bind "$0" "$1" && shift && exec "$@"' "$FBLOG" "$FB_LOG" "$@"
    else
        env "${environment[@]}" "$@"
    fi
}

fb_isql() { fb_run "$FB_BIN/$FB_ISQL" "$@"; }
# A client program of ours, on the server's client library; tool_program
# NAME is a program of tests/sql/tools as the server's platform runs it.
fb_client() {
    [ -z "$FB_WINDOWS" ] || { windows_fb_run "$@"; return; }
    fb_run env ${FB_CLIENT:+LD_LIBRARY_PATH="$FB_CLIENT"} "$@"
}
tool_program() { if [ -n "$FB_WINDOWS" ]; then echo "$FB_BIN/$1.exe"; else echo "$BUILD/tests/$1"; fi; }
# The server's version, as its isql says it.
fb_version() {
    local out
    out=$(fb_isql -z -q </dev/null 2>&1) || true
    printf '%s\n' "$out" | awk '/Version:/ { sub(/.*Version: */, ""); sub(/ .*/, ""); print; exit }'
}

fb_gbak() { fb_run "$FB_BIN/gbak$FB_EXE" "$@"; }
fb_gfix() { fb_run "$FB_BIN/gfix$FB_EXE" "$@"; }
has_tool() { [ -e "$FB_CHROOT$FB_BIN/$1$FB_EXE" ]; }
fb_path() { if [ -n "$FB_WINDOWS" ]; then windows_path "$1"; else echo "$1"; fi; }

# The server trees of ../shared/servers unpack into build/trees, once.  A
# Firebird root of one's own stands in for a tree through VARIABLE.
KOVUDF_SERVERS="${KOVUDF_SERVERS:-$ROOT/../shared/servers}"

# server_tree ARCHIVE-PATTERN VARIABLE: prints the tree's root, or says on
# stderr how to point at one and fails.
server_tree() {
    local pattern="$1" variable="$2" archive dir
    if [ -n "${!variable:-}" ]; then
        echo "${!variable}"
        return 0
    fi
    archive=$(find "$KOVUDF_SERVERS" -maxdepth 1 -name "$pattern" 2>/dev/null | sort | tail -1)
    if [ -z "$archive" ]; then
        echo "no $pattern in $KOVUDF_SERVERS; set $variable to a Firebird root to run it" >&2
        return 1
    fi
    dir="$BUILD/trees/$(basename "$archive" .tar.xz)"
    if [ ! -f "$dir/.unpacked" ]; then
        rm -rf "$dir"
        mkdir -p "$dir"
        tar -xJf "$archive" -C "$dir" --strip-components=1 && touch "$dir/.unpacked" || return 1
    fi
    echo "$dir"
}

# use_tree ARCHIVE-PATTERN VARIABLE SECURITY: the profile's paths for a tree
# laid out as upstream builds it (bin/, lib/, the security database SECURITY).
use_tree() {
    FB_HOME=$(server_tree "$1" "$2") || return 1
    FB_BIN="$FB_HOME/bin"
    FB_SERVER="$FB_HOME/bin/firebird"
    FB_SECURITY="$FB_HOME/$3"
    FB_CLIENT="$FB_HOME/lib"
}

# use_windows_tree ARCHIVE-PATTERN VARIABLE: a Windows tree and what runs
# it: Wine, the DLLs of its width, a prefix of its own.  A legacy module
# that imports a client library (the 32-bit one, GDS32.DLL) finds it in the
# prefix's system directory, where the README says to put it.
use_windows_tree() {
    FB_HOME=$(server_tree "$1" "$2") || return 1
    FB_BIN="$FB_HOME" FB_EXE=.exe FB_MODULES="$BUILD/servers/$SERVER_ID/modules"
    if [ -e "$FB_HOME/firebird.exe" ]; then
        FB_SERVER="$FB_HOME/firebird.exe" FB_SECURITY="$FB_HOME/security5.fdb"
    elif [ -e "$FB_HOME/bin/fbembed.dll" ]; then
        # The 2.5 kit: its tools in bin\, embedded where fbembed.dll lies
        # beside them as fbclient.dll.
        FB_BIN="$BUILD/servers/$SERVER_ID/embedded"
        FB_SERVER="$FB_HOME/bin/fbserver.exe" FB_SECURITY="$FB_HOME/security2.fdb"
        mkdir -p "$FB_BIN" && cp "$FB_HOME"/bin/*.dll "$FB_HOME"/bin/*.exe "$FB_BIN/" &&
            cp "$FB_HOME/bin/fbembed.dll" "$FB_BIN/fbclient.dll" || return 1
    else
        FB_SERVER="" FB_SECURITY=""
    fi
    enable_i386
    install_packages "${WINE_PACKAGES[@]}" "${MINGW_PACKAGES[@]}" >&2
    [ -f "$BUILD/win$FB_WINDOWS/udr/kovudf.dll" ] || build_windows "$FB_WINDOWS" >&2 || return 1
    # The modules alone, as an installation has them: the build directory
    # also holds the unit tests' stand-in client library.
    mkdir -p "$FB_MODULES/udr" &&
        cp "$BUILD/win$FB_WINDOWS/kovudf.dll" "$FB_MODULES/" &&
        cp "$BUILD/win$FB_WINDOWS/udr/kovudf.dll" "$FB_MODULES/udr/" || return 1
    windows_client_program put_long_segment || return 1
    wine_prefix "$WINE_PREFIX" || return 1
    place_client_library
}

# A client program of tests/sql/tools for the Windows tree, beside its
# client library: built here with the tree's width against its DLL.
windows_client_program() {
    local program="$FB_BIN/$1.exe" include="$BUILD/win$FB_WINDOWS/fbinclude" client
    [ ! -f "$program" ] || return 0
    # The tree's client library (in bin\ of a 2.5 kit), which names itself
    # fbclient.dll: beside the program, that may be the embedded engine.
    client=$(find "$FB_HOME" -maxdepth 2 -iname fbclient.dll | head -1)
    mkdir -p "$include" && ln -sf /usr/include/ibase.h "$include/ibase.h" &&
        quietly "$(windows_arch "$FB_WINDOWS")-w64-mingw32-g++" -O1 -I"$include" \
            "$ROOT/tests/sql/tools/$1.cpp" "$client" -o "$program" \
            -static-libgcc -static-libstdc++ -Wl,--enable-stdcall-fixup
}

# The 32-bit legacy module's client library in the prefix's 32-bit system
# directory (or, with "away", not there).
place_client_library() {
    local system="$WINE_PREFIX/drive_c/windows/syswow64"
    [ "$FB_WINDOWS" = 32 ] || return 0
    if [ "${1:-}" = away ]; then
        rm -f "$system/gds32.dll"
    else
        # Beside the tools: in bin\ of a 2.5 kit.
        cp "$(find "$FB_HOME" -maxdepth 2 -iname gds32.dll | head -1)" "$system/gds32.dll"
    fi
}

# COMMAND in the server's system tree, where its links lead where they
# should.
in_tree() {
    if [ -n "$FB_CHROOT" ]; then in_chroot "$FB_CHROOT" "$@"; else "$@"; fi
}

# Links point at the server's files as the server sees them, which in a
# system tree of its own is inside that tree.
make_root() {
    local dir="$1" udf_dir="${2:-${FB_MODULES:-$BUILD}}" plugins="${3:-}" home="$FB_CHROOT$FB_HOME"
    local entry name
    rm -rf "$dir"
    mkdir -p "$dir"
    for entry in "$home"/*; do
        name="$(basename "$entry")"
        case "$name" in firebird.conf | plugins.conf) continue ;; esac
        if [[ " ${FB_COPY[*]} " == *" all "* || " ${FB_COPY[*]} " == *" $name "* ]]; then
            # A link to nowhere (a socket of the installed server) is left out.
            in_tree sh -c '[ ! -e "$1" ] || cp -rL "$1" "$2"' sh "$FB_HOME/$name" "$dir/$name"
        else
            ln -s "$FB_HOME/$name" "$dir/$name"
        fi
    done
    # "default": the server's own UdfAccess.  A Windows tree's own settings
    # (its providers) stay.
    if [ -n "$FB_WINDOWS" ]; then cp "$home/firebird.conf" "$dir/firebird.conf"; else : >"$dir/firebird.conf"; fi
    [ -z "$FB_CONF" ] || echo "$FB_CONF" >>"$dir/firebird.conf"
    # The server's background garbage collector crashes on an index key that
    # an external routine computes, and anyone trying the functions here may
    # index one: the users' own attachments collect.
    [ "${GC_POLICY:-cooperative}" = default ] || echo "GCPolicy = ${GC_POLICY:-cooperative}" >>"$dir/firebird.conf"
    case "$udf_dir" in
        default) ;;
        full) echo "UdfAccess = Full" >>"$dir/firebird.conf" ;;
        *) echo "UdfAccess = Restrict $(restrict_list "$udf_dir")" >>"$dir/firebird.conf" ;;
    esac
    if [ "$plugins" = stock ]; then
        # Firebird 2.5 has no plugins and no plugins.conf.
        if [ -e "$home/plugins.conf" ] || [ -L "$home/plugins.conf" ]; then
            in_tree cp -L "$FB_HOME/plugins.conf" "$dir/plugins.conf"
        fi
    else
        # The stock plugins.conf with only the path changed.  The engine
        # refuses a module reached through a symbolic link: the real path.
        cat >"$dir/plugins.conf" <<CONF
Plugin = UDR {
    Module = \$(dir_plugins)/udr_engine
    Config = UDR_config
}

Config = UDR_config {
    path = $(fb_path "$(realpath "${FB_MODULES:-$BUILD}/udr")")
}
CONF
    fi
}

# A UdfAccess directory list (dir1;dir2) as the server names them: a Linux
# path of ours in the server's form, a relative or Windows one, or one
# marked =, as it is.
restrict_list() {
    local dirs=() d out=""
    IFS=';' read -ra dirs <<<"$1"
    for d in "${dirs[@]}"; do
        case "$d" in
            =*) d="${d#=}" ;;
            /*) d=$(fb_path "$d") ;;
        esac
        out+="${out:+;}$d"
    done
    echo "$out"
}

databases_conf_add() {
    local dir="$1"
    if [ -L "$dir/databases.conf" ]; then
        rm "$dir/databases.conf"
        in_tree cat "$FB_HOME/databases.conf" >"$dir/databases.conf"
    fi
    printf '%s\n' "$2" >>"$dir/databases.conf"
}

declaration_scripts() {
    local kind="$1" dialect="$2" charset="$3" core files set=""
    case "$charset" in
        NONE) ;;
        SJIS_0208) set=_sjis ;;
        UTF8) set=_utf8 ;;
        *) return 1 ;;
    esac
    case "$kind" in
        udf) core=kovudf files=kovudf_files ;; # NONE in every database
        udr) core=kovudf_udr$set files=kovudf_udr${set}_files ;;
        *) return 1 ;;
    esac
    [ "$dialect" = 1 ] && core="${core}_dialect1"
    echo "$core.sql $files.sql"
}

create_database() {
    local file="$1" kind="$2" dialect="${3:-3}" charset="${4:-NONE}" script
    rm -f "$file" "$(dirname "$file")/$(basename "$file" | tr '[:lower:]' '[:upper:]')"
    {
        [ "$dialect" = 3 ] || echo "SET SQL DIALECT $dialect;"
        echo "CREATE DATABASE '$(fb_path "$file")' USER 'SYSDBA' PASSWORD 'masterkey' DEFAULT CHARACTER SET $charset;"
    } | quietly fb_isql -q -m || return 1
    fb_created "$file"
    for script in $(declaration_scripts "$kind" "$dialect" "$charset"); do
        quietly fb_isql -q -m -b "$file" -i "$ROOT/sql/$script" || return 1
    done
}

# A Windows engine of 4.0 and later names a file it creates in capitals
# (2.5 keeps the name); Wine finds it under any case, Linux under the name
# it was given.
fb_created() {
    local upper
    upper="$(dirname "$1")/$(basename "$1" | tr '[:lower:]' '[:upper:]')"
    [ -z "$FB_WINDOWS" ] || [ "$upper" = "$1" ] || [ ! -e "$upper" ] || mv "$upper" "$1"
}

database_is_intact() {
    local report
    has_tool gfix || return 0
    report=$(fb_gfix -v -full "${@:2}" "$1" 2>&1)
    [ -z "$report" ] || {
        echo "gfix on $1: $report" >&2
        return 1
    }
}
