# shellcheck shell=bash
# package.sh - the release artefacts in dist/ and their checks, sourced by
# ./run after tests/modules.sh and tests/windows/windows.sh.
#
#   make_packages                 ./run package: a .deb for Debian 12 and the
#                                 .tar.gz from a Release build here, a .deb
#                                 for Debian 13 built in a Debian 13 system,
#                                 a .zip from each Windows build, SHA256SUMS
#   run_package_checks            make them and check them:
#     artefacts_are_summed          SHA256SUMS lists the five and their sums hold
#     artefact_holds_its_files F    F's files are the ones the README lists
#     tarball_matches_package       the .tar.gz's modules are the Debian 12 .deb's
#     windows_archive_is_sound BITS the .zip's DLLs pass the export, import and
#                                   version checks; its texts end lines in CRLF
#     debian_package_is_declared R  dependencies, description, its one script
#     deployment_works PROFILE      the .deb of the profile's Debian release
#                                   installed into its system, used by a real
#                                   server there over the network, removed,
#                                   nothing left; the other release's .deb
#                                   refused there
#   tarball_deploys               on the current server profile: the
#                                 .tar.gz's Firebird-root layout in a copy of
#                                 the server's root

MINGW_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64)
# The Debian releases packaged for, and the profile of each one's system.
DEBIAN_RELEASES=(12 13)
debian_profile() { [ "$1" = 12 ] && echo 3.0-debian12 || echo 4.0; }
debian_firebird_dir() {
    echo "/usr/lib/x86_64-linux-gnu/firebird/$([ "$1" = 12 ] && echo 3.0 || echo 4.0)"
}

kovudf_version() {
    sed -n 's/^project(kovudf VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt"
}

# The Debian 13 package, built in the Debian 13 system with its compiler and
# its Firebird's headers and libraries, into OUT.
debian13_package() (
    use_server "$(debian_profile 13)" && fb_install || exit 1
    say "building the Debian 13 package in $FB_CHROOT"
    quietly in_chroot "$FB_CHROOT" sh -c 'cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release \
        -DKOVUDF_TESTS=OFF -DKOVUDF_DEBIAN=13 && cmake --build "$2" -j"$4" &&
        cd "$2" && cpack -G DEB -B "$3"' sh "$ROOT" "$BUILD/package-deb13" "$1" "$(nproc)"
)

make_packages() {
    local out="$BUILD/package/out" bits
    say "packaging kovudf $(kovudf_version) into dist/"
    quietly cmake -S "$ROOT" -B "$BUILD/package" -DCMAKE_BUILD_TYPE=Release -DKOVUDF_TESTS=OFF &&
        quietly cmake --build "$BUILD/package" -j"$(nproc)" || return 1
    rm -rf "$out"
    (cd "$BUILD/package" && quietly cpack -B "$out") && debian13_package "$out" || return 1
    for bits in 32 64; do
        build_windows "$bits" && (cd "$BUILD/win$bits" && quietly cpack -B "$out") || return 1
    done
    rm -rf "$DIST"
    mkdir -p "$DIST"
    mv "$out"/*.deb "$out"/*.tar.gz "$out"/*.zip "$DIST/" &&
        (cd "$DIST" && sha256sum -- * >SHA256SUMS) && ls -l "$DIST" >&2
}

VERSION=$(kovudf_version)
deb_of() { echo "$DIST/kovudf_${VERSION}-1~deb$1_amd64.deb"; }
TARBALL_TOP="kovudf-$VERSION-linux-x86_64"
zip_top() { echo "kovudf-$VERSION-win$1"; }

artefact_names() {
    printf '%s\n' "$TARBALL_TOP.tar.gz" "$(zip_top 32).zip" "$(zip_top 64).zip" \
        "$(basename "$(deb_of 12)")" "$(basename "$(deb_of 13)")"
}

artefacts_are_summed() {
    (cd "$DIST" && sha256sum --quiet -c SHA256SUMS) &&
        [ "$(awk '{print $2}' "$DIST/SHA256SUMS" | sort)" = "$(artefact_names | sort)" ]
}

# The files (not directories) an artefact must hold: the modules, every
# script of sql/, the README, the CHANGELOG and the pages of docs/.
expected_files() {
    local artefact="$1" scripts files pages
    scripts=("$ROOT"/sql/*.sql)
    scripts=("${scripts[@]##*/}")
    pages=("$ROOT"/docs/*.md)
    pages=("${pages[@]##*/}")
    case "$artefact" in
        *~deb*.deb)
            local fb
            fb=$(debian_firebird_dir "$(echo "$artefact" | sed 's/.*~deb\([0-9]*\)_.*/\1/')")
            files=("$fb/UDF/kovudf.so" "$fb/plugins/udr/libkovudf.so"
                "${scripts[@]/#//usr/share/kovudf/}" /usr/share/kovudf/{README.md,CHANGELOG.md}
                "${pages[@]/#//usr/share/kovudf/docs/}"
                /usr/share/doc/kovudf/{changelog.gz,changelog.Debian.gz,copyright})
            ;;
        *.tar.gz)
            files=(UDF/kovudf.so plugins/udr/libkovudf.so README.md CHANGELOG.md "${scripts[@]/#/sql/}"
                "${pages[@]/#/docs/}")
            files=("${files[@]/#/${artefact%.tar.gz}/}")
            ;;
        *.zip)
            pages=("${pages[@]/%.md/.txt}")
            files=(UDF/kovudf.dll plugins/udr/kovudf.dll README.txt CHANGELOG.txt "${scripts[@]/#/sql/}"
                "${pages[@]/#/docs/}")
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
    local fb
    fb=$(debian_firebird_dir 12)
    dpkg-deb -x "$(deb_of 12)" "$dir/deb" && tar -xzf "$DIST/$TARBALL_TOP.tar.gz" -C "$dir" &&
        cmp "$dir/deb$fb/UDF/kovudf.so" "$top/UDF/kovudf.so" &&
        cmp "$dir/deb$fb/plugins/udr/libkovudf.so" "$top/plugins/udr/libkovudf.so" &&
        docs_links_resolve "$top" && docs_links_resolve "$dir/deb/usr/share/kovudf"
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
        dll_imports_only "$legacy" "$objdump" "${codec}KERNEL32.DLL MSVCRT.DLL" &&
        dll_exports_only_udr_plugin "$udr" "$objdump" &&
        dll_imports_only "$udr" "$objdump" "KERNEL32.DLL MSVCRT.DLL" &&
        strings -el "$legacy" | grep -qx "$VERSION" && strings -el "$udr" | grep -qx "$VERSION" &&
        ! grep -qv $'\r$' "$dir/README.txt" "$dir/CHANGELOG.txt" && docs_links_resolve "$dir" txt
}

debian_package_is_declared() {
    local deb fields firebird
    deb=$(deb_of "$1") firebird=$(basename "$(debian_firebird_dir "$1")")
    fields=$(dpkg-deb -f "$deb" Version Depends Enhances Description)
    echo "$fields" | grep -q "^Version: $VERSION-1~deb$1$" &&
        echo "$fields" | grep -q 'libib-util' && echo "$fields" | grep -q 'libfbclient2' &&
        echo "$fields" | grep -q "^Enhances: firebird$firebird-server$" &&
        echo "$fields" | grep -q 'does not change /etc/firebird' &&
        echo "$fields" | grep -q "administrator's decision" &&
        [ "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -v '/$' | sort | tr '\n' ' ')" = \
            "./control ./md5sums ./preinst " ] || {
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

# The Debian package of a profile's release in its system (made once,
# reused): installed with dpkg -i, used by a real SuperServer on 127.0.0.1
# that loads UDF modules from the installed UDF directory only
# (UdfAccess = Restrict) and routines as Debian's own plugins.conf says,
# then removed with dpkg -r, leaving no file behind and /etc/firebird as it
# was.  The server is stopped and the package removed whatever happens.
deployment_works() (
    use_server "$1" && fb_install || exit 1
    local DEB
    DEB=$(deb_of "$FB_DEBIAN")
    deployment_cleanup() {
        server_stop
        if kovudf_installed; then quietly in_chroot "$FB_CHROOT" dpkg -r kovudf || true; fi
    }
    trap deployment_cleanup EXIT
    trap 'exit 130' INT TERM
    local deb="$BUILD/package/${DEB##*/}" etc_before files left other out
    other=$(deb_of $((FB_DEBIAN == 12 ? 13 : 12)))
    cp "$DEB" "$other" "$BUILD/package/"
    if kovudf_installed; then quietly in_chroot "$FB_CHROOT" dpkg -r kovudf || exit 1; fi
    etc_before=$(etc_firebird_state)
    # The other release's package fails before it unpacks anything, naming
    # this release's.
    if out=$(in_chroot "$FB_CHROOT" dpkg -i "$BUILD/package/${other##*/}" 2>&1) ||
        ! echo "$out" | grep -q "install ${DEB##*/} instead" || kovudf_installed; then
        echo "${other##*/} on Debian $FB_DEBIAN: $out" >&2
        exit 1
    fi
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
    check "dist/SHA256SUMS lists the five artefacts" artefacts_are_summed
    local artefact
    for artefact in "$DIST"/*.deb "$DIST"/*.tar.gz "$DIST"/*.zip; do
        check "$(basename "$artefact") holds the files the README lists" \
            artefact_holds_its_files "$artefact"
    done
    check "the .tar.gz holds the Debian package's modules, and its pages' links resolve" tarball_matches_package
    check "the 32-bit .zip's DLLs and texts are sound, its links too" windows_archive_is_sound 32
    check "the 64-bit .zip's DLLs and texts are sound, its links too" windows_archive_is_sound 64
    local release
    for release in "${DEBIAN_RELEASES[@]}"; do
        check "the Debian $release package declares its dependencies and only its release check" \
            debian_package_is_declared "$release"
        say "the Debian $release package installed into a Debian $release system, used by a real server, removed"
        check "the Debian $release package deploys into a real server and leaves nothing behind; the other release's is refused there" \
            deployment_works "$(debian_profile "$release")"
    done
}
