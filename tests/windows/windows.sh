# shellcheck shell=bash
# windows.sh - the Windows DLLs, cross-built for 32 and 64 bits with
# mingw-w64 and tested under Wine; sourced by ./run after tests/modules.sh.
#
#   build_windows BITS         build/winBITS: kovudf.dll, udr/kovudf.dll and
#                              the test programs
#   run_windows_tests          the unit tests against the real DLLs, and the
#                              export, import and registration checks

WINDOWS_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 "${WINE_PACKAGES[@]}")
WINEPREFIX_DIR="$BUILD/wineprefix"

windows_arch() { [ "$1" = 32 ] && echo i686 || echo x86_64; }
windows_objdump() { echo "$(windows_arch "$1")-w64-mingw32-objdump"; }
# What the legacy DLL imports beside KERNEL32 and MSVCRT: the 32-bit one
# its date codec from the client library, the 64-bit one nothing.
windows_codec() { [ "$1" = 32 ] && echo "GDS32.DLL " || true; }

build_windows() {
    local bits="$1" arch
    arch=$(windows_arch "$bits")
    say "building the $bits-bit DLLs and their tests"
    quietly cmake --no-warn-unused-cli -S "$ROOT" -B "$BUILD/win$bits" \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release &&
        quietly cmake --build "$BUILD/win$bits" -j"$(nproc)"
}

wine_run() {
    local dir="$1"
    shift
    (cd "$dir" && WINEPREFIX="$WINEPREFIX_DIR" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        wine "$@")
}

dll_exports() {
    "$2" -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
        sed -n 's/^\s*\[ *[0-9]*\] \(.*\)$/\1/p' | sort
}

# The legacy DLL exports exactly the table's entries, undecorated.
dll_exports_are_the_entries() {
    same_names "the exports of $1" "$(table_names entry)" "$(dll_exports "$1" "$2")"
}

dll_exports_only_udr_plugin() {
    [ "$(dll_exports "$1" "$2")" = firebird_udr_plugin ]
}

# The 32-bit DLL takes the date codec from GDS32.DLL by ordinals 125 and 129.
dll_imports_codec_ordinals() {
    [ "$(i686-w64-mingw32-objdump -p "$1" | grep -cE '^\s+[0-9a-f]+\s+(125|129)\s+<none>')" = 2 ]
}

# dll_imports_only DLL OBJDUMP "DLL..." (sorted, upper case)
dll_imports_only() {
    local imports
    imports=$("$2" -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr '[:lower:]' '[:upper:]' | sort | tr '\n' ' ')
    [ "$imports" = "$3 " ] || {
        echo "imports: $imports (allowed: $3)" >&2
        return 1
    }
}

run_windows_tests() {
    local bits dir objdump codec
    for bits in 32 64; do
        dir="$BUILD/win$bits" objdump=$(windows_objdump "$bits") codec=$(windows_codec "$bits")
        build_windows "$bits" || { fail 1; continue; }
        run_gtest "Windows $bits-bit under Wine" wine_run "$dir" kovudf_win_tests.exe
        run_gtest "Windows $bits-bit loader under Wine" wine_run "$dir" kovudf_win_loader_test.exe
        check "win$bits: exports are the 41 entries" \
            dll_exports_are_the_entries "$dir/kovudf.dll" "$objdump"
        check "win$bits: imports only ${codec}KERNEL32 and MSVCRT" \
            dll_imports_only "$dir/kovudf.dll" "$objdump" "${codec}KERNEL32.DLL MSVCRT.DLL"
        check "win$bits UDR: the only export is firebird_udr_plugin" \
            dll_exports_only_udr_plugin "$dir/udr/kovudf.dll" "$objdump"
        check "win$bits UDR: imports only KERNEL32 and MSVCRT" \
            dll_imports_only "$dir/udr/kovudf.dll" "$objdump" "KERNEL32.DLL MSVCRT.DLL"
        run_counted "Windows $bits-bit UDR registration under Wine" \
            wine_run "$dir" udr_registration_check.exe 'udr\kovudf.dll'
    done
    check "win32: imports GDS32.DLL ordinals 125 and 129" \
        dll_imports_codec_ordinals "$BUILD/win32/kovudf.dll"
}

# On a Windows profile, the legacy module as a server loads it, from
# outside the Firebird root: the 64-bit one imports no client library and
# loads as it is; the 32-bit one loads with GDS32.DLL in the system
# directory, as the README says, and without it is refused with the
# server's "module name or entrypoint could not be found".
legacy_module_loads_as_documented() {
    local database="$BUILD/servers/$SERVER_ID/loading.fdb" out
    create_database "$database" udf || return 1
    legacy_date_call() {
        echo "SELECT UDF_ADDDATE(TIMESTAMP '2002-01-31 10:00:00', 0, 1, 0) AS D FROM RDB\$DATABASE;" |
            fb_isql -q -m "$database" 2>&1
    }
    out=$(legacy_date_call)
    echo "$out" | grep -q "2002-02-28 10:00" || { echo "$out" >&2; return 1; }
    [ "$FB_WINDOWS" = 32 ] || return 0
    place_client_library away
    out=$(legacy_date_call)
    place_client_library
    # A 2.5 kit has GDS32.DLL in bin\, beside its programs, where the module
    # finds it too; a 4.0 or 5.0 engine looks in the system directories.
    local wanted="module name or entrypoint could not be found"
    [ ! -f "$FB_HOME/bin/gds32.dll" ] || wanted="2002-02-28 10:00"
    echo "$out" | grep -q "$wanted" || {
        echo "without GDS32.DLL in the system directory: $out" >&2
        return 1
    }
}
