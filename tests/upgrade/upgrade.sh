# shellcheck shell=bash
# upgrade.sh - the way an existing database moves to the routines, sourced
# by ./run after tests/sql/suite.sh, tests/sql/charsets.sh and
# tests/server/server.sh.  The steps are docs/upgrading.md's, as an
# administrator types them: change one, change the other.
#
#   upgrade_fixture    once a run, on Firebird 2.5: an application's
#                      databases made with the legacy module (sjis.sql,
#                      none_dialect1.sql: their own names, sizes, types and
#                      module spellings, a view, a procedure, a trigger,
#                      expression indexes, rows), backed up with 2.5's gbak
#                      into build/upgrade, and what check_NAME.sql reads
#                      there: the answers before the move
#   upgrade_fixture_windows  sjis.sql made the same way on the Windows 2.5
#                      server, as windows_sjis, by the first journey that
#                      takes it: a Windows server's, and 5.0's
#   upgrade_journey    on the current server: each backup restored and
#                      migrated through a server as the guide says, and
#                      check_NAME.sql read through a server under its own
#                      UdfAccess, which must give expected/NAME.out, what
#                      2.5 gave, and where the legacy module runs, what it
#                      gave on the same server before the move

UPGRADE_DIR="$BUILD/upgrade"
UPGRADE_DATABASES=(sjis none_dialect1)

# The connection each database is read in; its output as UTF-8.
# windows_NAME is NAME made on the Windows 2.5 server.
upgrade_charset() { [ "${1#windows_}" = sjis ] && echo UTF8 || echo NONE; }
upgrade_text() { if [ "${1#windows_}" = sjis ]; then cat; else to_utf8 SHIFT_JIS; fi; }

upgrade_fixture() (
    local db name
    rm -rf "$UPGRADE_DIR"
    mkdir -p "$UPGRADE_DIR/udf" "$UPGRADE_DIR/ib"
    use_server 2.5 && fb_install 2>/dev/null || exit 1
    # The legacy module under every name the fixtures give it; 2.5's ib_udf
    # apart, as the new servers do not have it.
    for name in kovudf.so KOVUDF kovudf.dll 'C:\Firebird\UDF\kovudf.dll' 'C:\Apps\UDF\kovudf.so'; do
        cp "$BUILD/kovudf.so" "$UPGRADE_DIR/udf/$name"
    done
    in_tree cat "$FB_HOME/UDF/ib_udf.so" >"$UPGRADE_DIR/ib/ib_udf.so"
    make_root "$FBROOT" "$UPGRADE_DIR/udf;$UPGRADE_DIR/ib"
    for db in "${UPGRADE_DATABASES[@]}"; do
        sed -e "s|@UDF_DIR@|$UPGRADE_DIR/udf|" "$ROOT/tests/upgrade/$db.sql" | upgrade_made "$db" ||
            exit 1
    done
)

# upgrade_made NAME <SQL: NAME made by the SQL (@DATABASE@ its file) on the
# current server, backed up with its gbak, what check_NAME.sql reads there
# (the answers before the move), and the directories kovudf_modules.sql
# names.
upgrade_made() {
    local db="$1" file="$UPGRADE_DIR/$1.fdb"
    sed "s|@DATABASE@|$file|" | server_paths | quietly fb_isql -q -b -ch "$(upgrade_charset "$db")" &&
        fb_created "$file" && quietly fb_gbak -b "$file" "$UPGRADE_DIR/$db.fbk" &&
        upgrade_check "$db" "$file" | padded_days >"$UPGRADE_DIR/$db.before" &&
        fb_isql -q -m "$file" -i "$ROOT/sql/kovudf_modules.sql" |
        sed -n 's/^DIRECTORY *//p' | sort -u >"$UPGRADE_DIR/$db.directories"
}

# upgrade_fixture_windows: sjis.sql made as windows_sjis on the Windows 2.5
# server, embedded, its module named as a Windows application names it
# (C:\Apps\UDF\kovudf.so where the Linux fixture gives the run's
# directory), the DLL in the server's UDF (a directory of the run's),
# C:\Apps\UDF and C:\Firebird\UDF, and ib_udf from the kit.
upgrade_fixture_windows() (
    local db=windows_sjis udf status
    use_server windows-2.5-i686 && fb_install >/dev/null 2>&1 || exit 1
    udf=$(upgrade_windows_udf)
    cp "$FB_HOME/UDF/ib_udf.dll" "$udf/"
    mkdir -p "$WINE_PREFIX/drive_c/Apps/UDF" "$WINE_PREFIX/drive_c/Firebird/UDF"
    cp "$FB_MODULES/kovudf.dll" "$WINE_PREFIX/drive_c/Apps/UDF/kovudf.so"
    cp "$FB_MODULES/kovudf.dll" "$WINE_PREFIX/drive_c/Firebird/UDF/kovudf.dll"
    rm -f "$UPGRADE_DIR/$db".*
    make_root "$FBROOT" "$udf;=C:\Apps\UDF;=C:\Firebird\UDF"
    sed 's|@UDF_DIR@/kovudf.so|C:\\Apps\\UDF\\kovudf.so|' "$ROOT/tests/upgrade/sjis.sql" | upgrade_made "$db"
    status=$?
    wine_stop "$WINE_PREFIX"
    exit "$status"
)

# A Windows server's stand-in for its UDF directory: the profile's DLL under
# each name the fixtures give the module.
upgrade_windows_udf() {
    local udf="$UPGRADE_DIR/udf-$SERVER_ID" name
    mkdir -p "$udf"
    for name in "$UPGRADE_DIR"/udf/*; do cp "$FB_MODULES/kovudf.dll" "$udf/${name##*/}"; done
    echo "$udf"
}

# The guide's UdfAccess for restoring and migrating NAME on the current
# server: the directories kovudf_modules.sql printed on the old server, the
# old modules' own directory standing for the server's UDF (a server of a
# private root takes UDF as its system tree's), a Windows one only on a
# Windows server (on Linux, C:\... is a file name in UDF), a Linux one as it
# stands there.
upgrade_access() {
    local dir out="" udf="$UPGRADE_DIR/udf"
    [ -z "$FB_WINDOWS" ] || udf=$(upgrade_windows_udf)
    while IFS= read -r dir; do
        case "$dir" in
            UDF) dir="$udf" ;;
            /*) [ -z "$FB_WINDOWS" ] || dir="=$dir" ;;
            [A-Za-z]:\\*)
                [ -n "$FB_WINDOWS" ] || continue
                # Restrict allows a directory that exists.
                mkdir -p "$WINE_PREFIX/drive_$(tr 'A-Z' 'a-z' <<<"${dir%%:*}")$(tr '\\' / <<<"${dir#?:}")" ;;
        esac
        [[ ";$out;" == *";$dir;"* ]] || out+="${out:+;}$dir"
    done <"$UPGRADE_DIR/$1.directories"
    echo "$out"
}

# upgrade_check NAME DATABASE [ISQL...]: check_NAME.sql's output through
# ISQL (the embedded one), as UTF-8 with the modules' directory written
# @UDF_DIR@ and no blank lines.
upgrade_check() {
    local db="$1" database="$2"
    shift 2
    "${@:-fb_isql}" -q -m -ch "$(upgrade_charset "$db")" "$database" \
        -i "$ROOT/tests/upgrade/check_${db#windows_}.sql" 2>&1 | cut_messages 0 | upgrade_text "$db" |
        upgrade_lines
}

upgrade_lines() { sed -e "s|$UPGRADE_DIR/udf|@UDF_DIR@|g" -e 's|C:\\Apps\\UDF\\|@UDF_DIR@/|g' -e '/^ *$/d'; }
# Firebird 2.5's isql writes a dialect-1 date's day without its leading 0.
padded_days() { sed -E 's/ ([1-9])-([A-Z]{3})-([0-9]{4})/ 0\1-\2-\3/g'; }

# upgrade_on_server BACKUP FILE ACCESS [migrate [BACKUP_TO]]: the guide's
# steps on a server of the current profile whose firebird.conf says
# UdfAccess = ACCESS (Restrict to upgrade_access's directories while
# restoring and migrating, "default" otherwise), through the network as
# SYSDBA: gbak restores BACKUP into FILE; where it could not compute an index it ends with the database not
# online, and gfix -online brings it online.  With "migrate", the report and
# the migration follow (upgrade_migrate), and with BACKUP_TO a gbak backup
# of the result.
upgrade_on_server() {
    local backup="$1" file="$2" access="$3" migrate="${4:-}" backup_to="${5:-}" status=0
    local log="$UPGRADE_DIR/$SERVER_ID-restore.log"
    rm -f "$file"
    GC_POLICY=default server_start "$access" || return 1
    local target user=(-user SYSDBA -password "$SERVER_PASSWORD")
    target=$(server_target "$file")
    on_server fb_gbak -c "${user[@]}" "$backup" "$target" >"$log" 2>&1 || status=$?
    fb_created "$file"
    if [ "$status" -ne 0 ] && grep -q 'not online due to failure to activate' "$log" &&
        on_server quietly fb_gfix -online "${user[@]}" "$target"; then
        status=0
    fi
    if [ "$status" -ne 0 ]; then
        cat "$log" >&2
    elif [ -n "$migrate" ]; then
        upgrade_migrate "$target" &&
            { [ -z "$backup_to" ] || on_server quietly fb_gbak -b "${user[@]}" "$target" "$backup_to"; } ||
            status=1
    fi
    server_stop
    return "$status"
}

# upgrade_migrate TARGET: the report and the migration on a server that
# collects garbage in the background, as SuperServer does by default: the
# fixtures' indexes over the functions make the migration stop with nothing
# changed and name the databases.conf entry that makes the collection
# cooperative; with that entry, taken from its words, the report's lines
# and the migration's last line.
upgrade_migrate() {
    local target="$1" user=(-user SYSDBA -password "$SERVER_PASSWORD") said entry
    migration_output() { on_server fb_isql -q -m "${user[@]}" -i "$ROOT/sql/kovudf_udr_migrate.sql" "$target" 2>&1; }
    said=$(migration_output) || true
    entry=$(awk '/databases.conf$/ { on = 1; next } on { print } on && /^}/ { exit }' <<<"$said" | tr -d '\r')
    grep -qE '^REPORT +kovudf: nothing changed\.' <<<"$said" &&
        grep -q '^ *GCPolicy = cooperative$' <<<"$entry" || {
        printf '%s\n' "$said" >&2
        return 1
    }
    databases_conf_add "$(server_dir)/root" "$entry"
    on_server fb_isql -q -m -b "${user[@]}" -i "$ROOT/sql/kovudf_udr_migrate_report.sql" "$target" || return 1
    # A row that a CHECK would judge otherwise stops it too, named; the DBA
    # mends it and runs it again.
    said=$(migration_output) || true
    if grep -q 'would judge rows otherwise; CHECK "CK_CODE" on "CODES" fails for 1 row' <<<"$said"; then
        on_server quietly fb_isql -q -b "${user[@]}" "$target" <<<"DELETE FROM CODES WHERE ID = 1;" &&
            said=$(migration_output) || true
    fi
    # ib_udf's functions stay legacy ones: replaced as the guide says.
    if grep -q '"STRLEN" (IB_UDF_strlen in ib_udf) is another library' <<<"$said"; then
        on_server quietly fb_isql -q -b "${user[@]}" -i "$ROOT/tests/upgrade/ib_udf.sql" "$target" || return 1
    fi
    grep -E '^REPORT +kovudf: ' <<<"$said"
}

# The guide's way for the backup of NAME into FILE on the current server:
# restored and migrated there, or where the profile says
# FB_UPGRADE_THROUGH, restored and migrated on that server, backed up with
# its gbak and restored here.
upgrade_route() {
    local db="$1" file="$2" moved="$UPGRADE_DIR/$SERVER_ID-$1-migrated.fbk"
    if [ -z "$FB_UPGRADE_THROUGH" ]; then
        upgrade_on_server "$UPGRADE_DIR/$db.fbk" "$file" "$(upgrade_access "$db")" migrate
        return
    fi
    (
        use_server "$FB_UPGRADE_THROUGH" && fb_install >/dev/null || exit 1
        upgrade_on_server "$UPGRADE_DIR/$db.fbk" "$UPGRADE_DIR/$SERVER_ID-$db-through.fdb" \
            "$(upgrade_access "$db")" migrate "$moved"
    ) && upgrade_on_server "$moved" "$file" default
}

# One database's move on the current server: what the application read
# before, where the legacy module runs (the backup restored where the old
# module is allowed: the fixture's modules are Linux ones), then the guide's
# way, its report and last line kept.
upgrade_moves() {
    local db="$1" file="$UPGRADE_DIR/$SERVER_ID-$1.fdb" out="$UPGRADE_DIR/$SERVER_ID-$1"
    rm -f "$file" "$out".*
    if [ "$FB_LEGACY" = works ] && [ -z "$FB_WINDOWS" ]; then
        FBROOT="$UPGRADE_DIR/root-$SERVER_ID" quietly fb_gbak -c "$UPGRADE_DIR/$db.fbk" "$file" &&
            FBROOT="$UPGRADE_DIR/root-$SERVER_ID" upgrade_check "$db" "$file" \
                >"$out.legacy" || return 1
    fi
    upgrade_route "$db" "$file" | upgrade_lines >"$out.report" || {
        cat "$out.report" >&2
        return 1
    }
}

# What the application reads after the move, through a server under its own
# UdfAccess: the expected output, and where the legacy module ran, what it
# gave before.
upgrade_reads() {
    local db="$1" out="$UPGRADE_DIR/$SERVER_ID-$1" expected
    [ -f "$out.report" ] &&
        upgrade_check "$db" "$(server_target "$UPGRADE_DIR/$SERVER_ID-$db.fdb")" client_isql \
            >"$out.check" || return 1
    expected=$(first_output "$ROOT/tests/upgrade/expected" "$db.$SERVER_ID" "${db#windows_}")
    diff -u "$expected" <(cat "$out.report" "$out.check") >&2 &&
        diff -u "$UPGRADE_DIR/$db.before" "$out.check" >&2 || return 1
    [ ! -f "$out.legacy" ] || diff -u "$out.legacy" "$out.check" >&2
}

upgrade_journey() {
    local db
    if [ ! -f "$UPGRADE_DIR/sjis.fbk" ] || ! has_tool gbak || [ -z "$FB_SERVER" ] ||
        { [ -n "$FB_UPGRADE_THROUGH" ] && ! (use_server "$FB_UPGRADE_THROUGH" && fb_install) >/dev/null 2>&1; }; then
        skip "the upgrade journey on $FB_NAME" \
            "no databases from Firebird 2.5, no gbak or server to restore them, or no ${FB_UPGRADE_THROUGH:-server} to go through"
        return
    fi
    make_root "$UPGRADE_DIR/root-$SERVER_ID" "$UPGRADE_DIR/udf;$UPGRADE_DIR/ib"
    # A Windows server's journey starts from the database made on Windows
    # 2.5, made by the first journey that takes it, as does
    # FB_UPGRADE_FROM_WINDOWS's beside the Linux ones.
    local databases=("${UPGRADE_DATABASES[@]}")
    if [ -n "$FB_WINDOWS$FB_UPGRADE_FROM_WINDOWS" ] && [ ! -f "$UPGRADE_DIR/windows_sjis.fbk" ]; then
        upgrade_fixture_windows ||
            say "no Windows Firebird 2.5 here: the journey on $FB_NAME starts from Linux 2.5 databases"
    fi
    if [ -f "$UPGRADE_DIR/windows_sjis.fbk" ]; then
        [ -z "$FB_WINDOWS" ] || databases=("${databases[@]/#sjis/windows_sjis}")
        [ -z "$FB_UPGRADE_FROM_WINDOWS" ] || databases+=(windows_sjis)
    fi
    for db in "${databases[@]}"; do
        check "a 2.5 $db database moves to the routines on $FB_NAME as the guide says" \
            upgrade_moves "$db"
    done
    server_start default || { fail 1; return; }
    for db in "${databases[@]}"; do
        check "the moved $db database reads as before through $FB_NAME" upgrade_reads "$db"
    done
    server_stop
}
