# shellcheck shell=bash
# package.sh - checks of the release artefacts in dist/, sourced by ./run
# after make_packages (and after tests/server/server.sh).
#
#   artefacts_are_summed          SHA256SUMS lists the four artefacts and
#                                 their sums hold
#   artefact_holds_its_files F    F's files are the ones the README lists
#   tarball_matches_package       the .tar.gz's modules are the .deb's
#   windows_archive_is_sound BITS the .zip's DLLs pass the export, import and
#                                 version checks; its texts have CRLF endings
#   debian_package_is_declared    dependencies, description, no maintainer
#                                 scripts
#   deployment_works              dpkg -i, a real server using the installed
#                                 files over the network, dpkg -r, nothing left

FB_UDR_DIR="$FB_LIB_DIR/plugins/udr"
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
            files=("$FB_LIB_DIR/UDF/kovudf.so" "$FB_UDR_DIR/libkovudf.so"
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
        cmp "$dir/deb$FB_LIB_DIR/UDF/kovudf.so" "$top/UDF/kovudf.so" &&
        cmp "$dir/deb$FB_UDR_DIR/libkovudf.so" "$top/plugins/udr/libkovudf.so"
}

windows_archive_is_sound() {
    local bits="$1" arch dir codec
    if [ "$bits" = 32 ]; then arch=i686 codec=GDS32.DLL; else arch=x86_64 codec=FBCLIENT.DLL; fi
    dir="$BUILD/package/unpacked-win$bits"
    rm -rf "$dir"
    mkdir -p "$dir"
    (cd "$dir" && cmake -E tar xf "$DIST/$(zip_top "$bits").zip") || return 1
    dir="$dir/$(zip_top "$bits")"
    local objdump="$arch-w64-mingw32-objdump" legacy="$dir/UDF/kovudf.dll" udr="$dir/plugins/udr/kovudf.dll"
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

etc_firebird_state() {
    find /etc/firebird -exec ls -ld --time-style=+%s {} + 2>/dev/null | sort
    find /etc/firebird -type f -exec sha256sum {} + 2>/dev/null | sort
}

kovudf_installed() {
    dpkg-query -W -f='${Status}' kovudf 2>/dev/null | grep -q 'install ok installed'
}

# The declarations of one kind from /usr/share/kovudf in a new database on
# the server, then tests/package/deploy_check.sql, whose output must be
# deploy_check.out whichever the kind.
deployed_functions_work() {
    local kind="$1" database="$SERVER_DIR/deploy_$1.fdb" out="$SERVER_DIR/deploy_$1.out"
    declared_database "$database" "$kind" /usr/share/kovudf || return 1
    sed "s|@FILE@|$SERVER_DIR/deploy_$kind.txt|" "$ROOT/tests/package/deploy_check.sql" |
        remote_isql "$database" >"$out" 2>&1
    diff -u "$ROOT/tests/package/deploy_check.out" "$out" >&2
}

# The Debian package on this machine: installed with dpkg -i, used by a real
# SuperServer on 127.0.0.1 that loads UDF modules from the installed UDF
# directory only and routines as Debian's own plugins.conf says (from the
# installed plugins/udr), then removed
# with dpkg -r, leaving no file behind and /etc/firebird as it was.  The
# server is stopped and the package removed whatever happens.
deployment_works() (
    deployment_cleanup() {
        server_stop
        if kovudf_installed; then quietly as_root dpkg -r kovudf || true; fi
    }
    trap deployment_cleanup EXIT
    trap 'exit 130' INT TERM
    local etc_before files
    etc_before=$(etc_firebird_state)
    quietly as_root dpkg -i "$DEB" || exit 1
    files=$(dpkg-query -L kovudf | grep kovudf)
    [ "$(etc_firebird_state)" = "$etc_before" ] || { echo "dpkg -i changed /etc/firebird" >&2; exit 1; }
    server_start "$FB_LIB_DIR/UDF" stock || exit 1
    deployed_functions_work udf && deployed_functions_work udr || exit 1
    server_stop
    quietly as_root dpkg -r kovudf || exit 1
    local left
    left=$(for f in $files; do [ ! -e "$f" ] || echo "$f"; done; ls /var/lib/dpkg/info/kovudf.* 2>/dev/null)
    [ -z "$left" ] || { echo "left behind by dpkg -r: $left" >&2; exit 1; }
    [ "$(etc_firebird_state)" = "$etc_before" ] || { echo "/etc/firebird changed" >&2; exit 1; }
)
