# shellcheck shell=bash
# upgrade.sh - the way an existing database moves to the routines, sourced
# by ./run after tests/sql/suite.sh and tests/sql/charsets.sh.
#
#   upgrade_fixture    once a run, on Firebird 2.5: an application's
#                      databases made with the legacy module (sjis.sql,
#                      none_dialect1.sql: their own names, sizes and module
#                      spellings, a view, a procedure, a trigger, rows),
#                      backed up with 2.5's gbak into build/upgrade
#   upgrade_journey    on the current server: each backup restored, the
#                      report read, the migration run, and check_NAME.sql
#                      read under the server's own UdfAccess, which must give
#                      expected/NAME.out and, where the legacy module runs,
#                      what it gave before the move

UPGRADE_DIR="$BUILD/upgrade"
UPGRADE_DATABASES=(sjis none_dialect1)

# The connection each database is read in; its output as UTF-8.
upgrade_charset() { [ "$1" = sjis ] && echo UTF8 || echo NONE; }
upgrade_text() { if [ "$1" = sjis ]; then cat; else to_utf8 SHIFT_JIS; fi; }

upgrade_fixture() (
    local db name
    rm -rf "$UPGRADE_DIR"
    mkdir -p "$UPGRADE_DIR/udf"
    use_server 2.5 && fb_install 2>/dev/null || exit 1
    # The legacy module under every name the fixtures give it.
    for name in kovudf.so KOVUDF kovudf.dll 'C:\Firebird\UDF\kovudf.dll'; do
        cp "$BUILD/kovudf.so" "$UPGRADE_DIR/udf/$name"
    done
    make_root "$FBROOT" "$UPGRADE_DIR/udf"
    for db in "${UPGRADE_DATABASES[@]}"; do
        sed -e "s|@DATABASE@|$UPGRADE_DIR/$db.fdb|" -e "s|@UDF_DIR@|$UPGRADE_DIR/udf|" \
            "$ROOT/tests/upgrade/$db.sql" |
            quietly fb_isql -q -b -ch "$(upgrade_charset "$db")" &&
            quietly fb_gbak -b "$UPGRADE_DIR/$db.fdb" "$UPGRADE_DIR/$db.fbk" || exit 1
    done
)

# upgrade_check NAME DATABASE: check_NAME.sql's output, as UTF-8 with the
# modules' directory written @UDF_DIR@ and no blank lines.
upgrade_check() {
    fb_isql -q -m -ch "$(upgrade_charset "$1")" "$2" -i "$ROOT/tests/upgrade/check_$1.sql" 2>&1 |
        cut_messages 0 | upgrade_text "$1" | upgrade_lines
}

upgrade_script() {
    fb_isql -q -m -b "$2" -i "$ROOT/sql/$1" 2>&1 | upgrade_lines
}

upgrade_lines() { sed -e "s|$UPGRADE_DIR/udf|@UDF_DIR@|g" -e '/^ *$/d'; }

# One database's journey on the current server.
upgrade_moves() {
    local db="$1" file="$UPGRADE_DIR/$SERVER_ID-$1.fdb" out="$UPGRADE_DIR/$SERVER_ID-$1"
    local own="$UPGRADE_DIR/root-$SERVER_ID-default" legacy="$UPGRADE_DIR/root-$SERVER_ID"
    local expected
    rm -f "$file" "$out".*
    FBROOT="$legacy" quietly fb_gbak -c "$UPGRADE_DIR/$db.fbk" "$file" || return 1
    if [ "$FB_LEGACY" = works ]; then
        FBROOT="$legacy" upgrade_check "$db" "$file" >"$out.legacy"
    fi
    # The migration runs where the old module's directory is allowed, as a
    # legacy server's was: Firebird 6 alters no declaration whose module is
    # an absolute path UdfAccess does not allow.
    FBROOT="$own" upgrade_script kovudf_udr_migrate_report.sql "$file" >"$out.report" &&
        FBROOT="$legacy" upgrade_script kovudf_udr_migrate.sql "$file" >/dev/null &&
        FBROOT="$own" upgrade_check "$db" "$file" >"$out.check" || {
        cat "$out.report" >&2
        return 1
    }
    expected=$(first_output "$ROOT/tests/upgrade/expected" "$db.$SERVER_ID" "$db")
    diff -u "$expected" <(cat "$out.report" "$out.check") >&2 || return 1
    # The application's reads after the move are the legacy module's.
    [ ! -f "$out.legacy" ] || diff -u "$out.legacy" "$out.check" >&2
}

upgrade_journey() {
    local db
    if [ ! -f "$UPGRADE_DIR/sjis.fbk" ] || ! has_tool gbak; then
        skip "the upgrade journey on $FB_NAME" "no databases from Firebird 2.5, or no gbak to restore them"
        return
    fi
    make_root "$UPGRADE_DIR/root-$SERVER_ID" "$UPGRADE_DIR/udf"
    make_root "$UPGRADE_DIR/root-$SERVER_ID-default" default
    for db in "${UPGRADE_DATABASES[@]}"; do
        check "a 2.5 $db database moves to the routines on $FB_NAME, and reads as before" \
            upgrade_moves "$db"
    done
}
