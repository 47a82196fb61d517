# shellcheck shell=bash
# wine.sh - Windows programs under Wine, sourced by ./run: the Windows
# server profiles run the engine's own isql.exe this way.
#
#   wine_prefix DIR            a Wine prefix in DIR, made once, its wineserver
#                              kept running (and its services kept off this
#                              run's pipes) until wine_stop DIR
#   windows_path PATH          a Linux path as Windows sees it (Z:\...)
#   windows_fb_run PROGRAM ARGS...
#                              fb_run for a Windows profile: the program in
#                              the profile's prefix, started outside the
#                              Firebird root as a service is, with the root,
#                              lock directory and path arguments in Windows
#                              form, text read from a pipe given as a file,
#                              and output with Linux line ends

WINE_PACKAGES=(wine wine32:i386 wine64)

windows_path() { printf 'Z:%s\n' "$1" | tr / '\\'; }

wine_prefix() {
    local dir="$1"
    mkdir -p "$dir"
    # A wineserver already running for the prefix is kept.
    WINEPREFIX="$dir" WINEDEBUG=-all wineserver -p </dev/null >/dev/null 2>&1 || true
    WINEPREFIX="$dir" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot \
        </dev/null >/dev/null 2>&1
    # Once a prefix: a server's hidden window needs a graphics driver where
    # there is no display (the null one), and a crash must end the process,
    # not wait in the debugger.
    [ ! -f "$dir/.kovudf-ready" ] || return 0
    WINEPREFIX="$dir" WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics \
        /d null /f </dev/null >/dev/null 2>&1 &&
        { WINEPREFIX="$dir" WINEDEBUG=-all wine reg delete \
            'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
            </dev/null >/dev/null 2>&1 || true; } && touch "$dir/.kovudf-ready"
}

wine_stop() { WINEPREFIX="$1" wineserver -k 2>/dev/null || true; }

windows_fb_run() {
    local program="$1" arg input="" status=0
    local -a args=()
    shift
    for arg in "$@"; do
        # A path, absolute or to a file here, as Windows names it from
        # wherever the program runs.
        case "$arg" in
            /*) args+=("$(windows_path "$arg")") ;;
            -*) args+=("$arg") ;;
            *) if [ -e "$arg" ]; then args+=("$(windows_path "$(realpath "$arg")")"); else args+=("$arg"); fi ;;
        esac
    done
    mkdir -p "$FBLOCK" "$WINE_CWD"
    # isql takes a pipe for a console (a banner, prompts): it reads a file.
    if [[ "$program" == *isql* && " $* " != *" -i "* && ! -t 0 ]]; then
        input="$FBLOCK/input.$BASHPID.sql"
        cat >"$input"
        args+=(-i "$(windows_path "$input")")
    fi
    (cd "$WINE_CWD" && env WINEPREFIX="$WINE_PREFIX" WINEDEBUG=-all \
        FIREBIRD="$(windows_path "$FBROOT")" FIREBIRD_LOCK="$(windows_path "$FBLOCK")" \
        FIREBIRD_TMP="$(windows_path "$FBLOCK")" ISC_USER="${ISC_USER:-SYSDBA}" \
        ISC_PASSWORD="${ISC_PASSWORD:-masterkey}" wine "$program" "${args[@]}" </dev/null) |
        windows_output || status=$?
    rm -f "$input"
    return "$status"
}

# The output of a Windows program as the Linux one's: line ends, and the
# Windows isql's zero double, printed with a digit less (0.00000000000000).
windows_output() {
    sed -e 's/\r$//' -e 's/^\([A-Z_][A-Z0-9_$]*  *-\{0,1\}\)0\.00000000000000$/\10.000000000000000/'
}

# SQL with its quoted absolute paths as Windows names them ('/tmp/x' is
# 'Z:\tmp\x'), and back.
windows_sql_paths() {
    awk '{ while (match($0, /'"'"'\/[^'"'"']*'"'"'/)) {
               path = substr($0, RSTART + 1, RLENGTH - 2); gsub("/", "\\", path)
               $0 = substr($0, 1, RSTART) "Z:" path substr($0, RSTART + RLENGTH - 1) }
           print }'
}
linux_sql_paths() {
    awk '{ while (match($0, /'"'"'Z:\\[^'"'"']*'"'"'/)) {
               path = substr($0, RSTART + 3, RLENGTH - 4); gsub("\\\\", "/", path)
               $0 = substr($0, 1, RSTART) path substr($0, RSTART + RLENGTH - 1) }
           print }'
}
