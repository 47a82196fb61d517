# shellcheck shell=bash
# package.sh - the release artefacts in dist/ and their checks, sourced by
# ./run after tests/modules.sh and tests/windows/windows.sh.
#
#   make_packages                 ./run package: the .deb and .tar.gz from a
#                                 Release build, a .zip from each Windows
#                                 build, and SHA256SUMS
#   run_package_checks            make them and check them:
#     artefacts_are_summed          SHA256SUMS lists the four and their sums hold
#     artefact_holds_its_files F    F's files are the ones the README lists
#     tarball_matches_package       the .tar.gz's modules are the .deb's
#     windows_archive_is_sound BITS the .zip's DLLs pass the export, import and
#                                   version checks; its texts end lines in CRLF
#     debian_package_is_declared    dependencies, description, no scripts
#     deployment_works              the .deb installed into a Debian 12 system
#                                   of its own, used by a real server there
#                                   over the network, removed, nothing left
#   tarball_deploys               on the current server profile: the
#                                 .tar.gz's Firebird-root layout in a copy of
#                                 the server's root

MINGW_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64)
DEBIAN_FB_DIR=/usr/lib/x86_64-linux-gnu/firebird/3.0

kovudf_version() {
    sed -n 's/^project(kovudf VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt"
}

make_packages() {
    local out="$BUILD/package/out" bits
    say "packaging kovudf $(kovudf_version) into dist/"
    quietly cmake -S "$ROOT" -B "$BUILD/package" -DCMAKE_BUILD_TYPE=Release -DKOVUDF_TESTS=OFF &&
        quietly cmake --build "$BUILD/package" -j"$(nproc)" || return 1
    rm -rf "$out"
    (cd "$BUILD/package" && quietly cpack -B "$out") || return 1
    for bits in 32 64; do
        build_windows "$bits" && (cd "$BUILD/win$bits" && quietly cpack -B "$out") || return 1
    done
    rm -rf "$DIST"
    mkdir -p "$DIST"
    mv "$out"/*.deb "$out"/*.tar.gz "$out"/*.zip "$DIST/" &&
        (cd "$DIST" && sha256sum -- * >SHA256SUMS) && ls -l "$DIST" >&2
}

FB_UDR_DIR="$DEBIAN_FB_DIR/plugins/udr"
VERSION=$(kovudf_version)
DEB="$DIST/kovudf_${VERSION}_amd64.deb"
TARBALL_TOP="kovudf-$VERSION-linux-x86_64"
zip_top() { echo "kovudf-$VERSION-win$1"; }

artefact_names() {
    printf '%s\n' "$TARBALL_TOP.tar.gz" "$(zip_top 32).zip" "$(zip_top 64).zip" "${DEB##*/}"
}

artefacts_are_summed() {
    (cd "$DIST" && sha256sum --quiet -c SHA256SUMS) &&
        [ "$(awk '{print $2}' "$DIST/SHA256SUMS" | sort)" = "$(artefact_names | sort)" ]
}

# The files (not directories) an artefact must hold: the modules, every
# script of sql/, the README and the CHANGELOG.
expected_files() {
    local artefact="$1" scripts files
    scripts=("$ROOT"/sql/*.sql)
    scripts=("${scripts[@]##*/}")
    case "$artefact" in
        *.deb)
            files=("$DEBIAN_FB_DIR/UDF/kovudf.so" "$FB_UDR_DIR/libkovudf.so"
                "${scripts[@]/#//usr/share/kovudf/}" /usr/share/kovudf/{README.md,CHANGELOG.md})
            ;;
        *.tar.gz)
            files=(UDF/kovudf.so plugins/udr/libkovudf.so README.md CHANGELOG.md "${scripts[@]/#/sql/}")
            files=("${files[@]/#/${artefact%.tar.gz}/}")
            ;;
        *.zip)
            files=(UDF/kovudf.dll plugins/udr/kovudf.dll README.txt CHANGELOG.txt "${scripts[@]/#/sql/}")
            files=("${files[@]/#/${artefact%.zip}/}")
            ;;
    esac
    printf '%s\n' "${files[@]}" | sort
}

artefact_files() {
    case "$1" in
        *.deb) dpkg-deb --fsys-tarfile "$1" | tar -t | sed 's|^\./|/|' ;;
        *) cmake -E tar tf "$1" ;;
    esac | grep -v '/$' | sort
}

artefact_holds_its_files() {
    diff -u <(expected_files "$(basename "$1")") <(artefact_files "$1") >&2
}

# The .tar.gz holds the very modules that deployment_works runs from the .deb.
tarball_matches_package() {
    local dir="$BUILD/package/unpacked-linux" top
    top="$dir/$TARBALL_TOP"
    rm -rf "$dir"
    mkdir -p "$dir/deb"
    dpkg-deb -x "$DEB" "$dir/deb" && tar -xzf "$DIST/$TARBALL_TOP.tar.gz" -C "$dir" &&
        cmp "$dir/deb$DEBIAN_FB_DIR/UDF/kovudf.so" "$top/UDF/kovudf.so" &&
        cmp "$dir/deb$FB_UDR_DIR/libkovudf.so" "$top/plugins/udr/libkovudf.so"
}

windows_archive_is_sound() {
    local bits="$1" dir codec objdump
    codec=$(windows_codec "$bits") objdump=$(windows_objdump "$bits")
    dir="$BUILD/package/unpacked-win$bits"
    rm -rf "$dir"
    mkdir -p "$dir"
    (cd "$dir" && cmake -E tar xf "$DIST/$(zip_top "$bits").zip") || return 1
    dir="$dir/$(zip_top "$bits")"
    local legacy="$dir/UDF/kovudf.dll" udr="$dir/plugins/udr/kovudf.dll"
    dll_exports_are_the_entries "$legacy" "$objdump" &&
        dll_imports_only "$legacy" "$objdump" "$codec KERNEL32.DLL MSVCRT.DLL" &&
        dll_exports_only_udr_plugin "$udr" "$objdump" &&
        dll_imports_only "$udr" "$objdump" "KERNEL32.DLL MSVCRT.DLL" &&
        strings -el "$legacy" | grep -qx "$VERSION" && strings -el "$udr" | grep -qx "$VERSION" &&
        ! grep -qv $'\r$' "$dir/README.txt" "$dir/CHANGELOG.txt"
}

debian_package_is_declared() {
    local fields
    fields=$(dpkg-deb -f "$DEB" Version Depends Description)
    echo "$fields" | grep -q "^Version: $VERSION$" &&
        echo "$fields" | grep -q 'libib-util' && echo "$fields" | grep -q 'libfbclient2' &&
        echo "$fields" | grep -q 'does not change /etc/firebird' &&
        echo "$fields" | grep -q "administrator's decision" &&
        [ "$(dpkg-deb --ctrl-tarfile "$DEB" | tar -t | grep -v '/$' | sort | tr '\n' ' ')" = \
            "./control ./md5sums " ] || {
        echo "$fields" >&2
        return 1
    }
}

# The state of /etc/firebird in the Debian system: names, times, contents.
etc_firebird_state() {
    find "$FB_CHROOT/etc/firebird" -exec ls -ld --time-style=+%s {} + 2>/dev/null |
        sed "s|$FB_CHROOT||" | sort
    find "$FB_CHROOT/etc/firebird" -type f -exec sha256sum {} + 2>/dev/null | sort
}

kovudf_installed() {
    in_chroot "$FB_CHROOT" dpkg-query -W -f='${Status}' kovudf 2>/dev/null |
        grep -q 'install ok installed'
}

# The declarations of one kind from /usr/share/kovudf in a new database on
# the server, then tests/package/deploy_check.sql, whose output must be
# deploy_check.out whichever the kind.
deployed_functions_work() {
    local kind="$1" dir database out
    dir=$(server_dir)
    database="$dir/deploy_$kind.fdb" out="$dir/deploy_$kind.out"
    declared_database "$database" "$kind" /usr/share/kovudf || return 1
    sed "s|@FILE@|$dir/deploy_$kind.txt|" "$ROOT/tests/package/deploy_check.sql" |
        remote_isql "$database" >"$out" 2>&1
    diff -u "$ROOT/tests/package/deploy_check.out" "$out" >&2
}

# The Debian package in a Debian 12 system of its own (made once, reused):
# installed with dpkg -i, used by a real SuperServer on 127.0.0.1 that loads
# UDF modules from the installed UDF directory only and routines as Debian's
# own plugins.conf says, then removed with dpkg -r, leaving no file behind
# and /etc/firebird as it was.  The server is stopped and the package
# removed whatever happens.
deployment_works() (
    use_server 3.0-debian12 && fb_install || exit 1
    deployment_cleanup() {
        server_stop
        if kovudf_installed; then quietly in_chroot "$FB_CHROOT" dpkg -r kovudf || true; fi
    }
    trap deployment_cleanup EXIT
    trap 'exit 130' INT TERM
    local deb="$BUILD/package/${DEB##*/}" etc_before files left
    cp "$DEB" "$deb"
    if kovudf_installed; then quietly in_chroot "$FB_CHROOT" dpkg -r kovudf || exit 1; fi
    etc_before=$(etc_firebird_state)
    quietly in_chroot "$FB_CHROOT" dpkg -i "$deb" || exit 1
    files=$(in_chroot "$FB_CHROOT" dpkg-query -L kovudf | grep kovudf)
    [ "$(etc_firebird_state)" = "$etc_before" ] || { echo "dpkg -i changed /etc/firebird" >&2; exit 1; }
    server_start "$FB_HOME/UDF" stock || exit 1
    deployed_functions_work udf && deployed_functions_work udr || exit 1
    server_stop
    quietly in_chroot "$FB_CHROOT" dpkg -r kovudf || exit 1
    left=$(for f in $files; do [ ! -e "$FB_CHROOT$f" ] || echo "$f"; done
        ls "$FB_CHROOT"/var/lib/dpkg/info/kovudf.* 2>/dev/null)
    [ -z "$left" ] || { echo "left behind by dpkg -r: $left" >&2; exit 1; }
    [ "$(etc_firebird_state)" = "$etc_before" ] || { echo "/etc/firebird changed" >&2; exit 1; }
)

# The release tarball as its README says to use it: UDF/ and plugins/udr/
# copied into a copy of the server's root (every entry a real copy), that
# root's firebird.conf saying UdfAccess = Restrict UDF, its stock
# plugins.conf, and the declarations from the tarball's sql/.  For each front
# that runs there, deploy_check.sql must give deploy_check.out.
tarball_deploys() {
    local dir="$BUILD/servers/$SERVER_ID/deployed" unpacked="$BUILD/servers/$SERVER_ID/tarball"
    local top kind database out status=0
    local -a FB_COPY=(all)
    rm -rf "$unpacked"
    mkdir -p "$unpacked"
    tar -xzf "$DIST/$TARBALL_TOP.tar.gz" -C "$unpacked" || return 1
    top="$unpacked/$TARBALL_TOP"
    make_root "$dir" UDF stock || return 1
    mkdir -p "$dir/UDF" "$dir/plugins/udr"
    cp "$top/UDF/kovudf.so" "$dir/UDF/" && cp "$top/plugins/udr/libkovudf.so" "$dir/plugins/udr/" ||
        return 1
    for kind in $FB_FRONTS; do
        database="$dir/deploy_$kind.fdb" out="$dir/deploy_$kind.out"
        rm -f "$database"
        echo "CREATE DATABASE '$database' USER 'SYSDBA' PASSWORD 'masterkey'; COMMIT;" |
            FBROOT="$dir" quietly fb_isql -q -m || return 1
        for script in $(declaration_scripts "$kind" 3 NONE); do
            FBROOT="$dir" quietly fb_isql -q -m -b "$database" -i "$top/sql/$script" || return 1
        done
        sed "s|@FILE@|$dir/deploy_$kind.txt|" "$ROOT/tests/package/deploy_check.sql" |
            FBROOT="$dir" fb_isql -q -m "$database" >"$out" 2>&1
        diff -u "$ROOT/tests/package/deploy_check.out" "$out" >&2 || status=1
    done
    return "$status"
}

run_package_checks() {
    check "./run package makes the release artefacts" make_packages
    check "dist/SHA256SUMS lists the four artefacts" artefacts_are_summed
    local artefact
    for artefact in "$DIST"/*.deb "$DIST"/*.tar.gz "$DIST"/*.zip; do
        check "$(basename "$artefact") holds the files the README lists" \
            artefact_holds_its_files "$artefact"
    done
    check "the .tar.gz holds the Debian package's modules" tarball_matches_package
    check "the 32-bit .zip's DLLs and texts are sound" windows_archive_is_sound 32
    check "the 64-bit .zip's DLLs and texts are sound" windows_archive_is_sound 64
    check "the Debian package declares its dependencies and runs no scripts" \
        debian_package_is_declared
    say "the Debian package installed into a Debian 12 system, used by a real server, removed"
    check "the Debian package deploys into a real server and leaves nothing behind" \
        deployment_works
}
