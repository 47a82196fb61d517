# shellcheck shell=bash
# suite.sh - the tests that run SQL in a server, sourced by ./run after
# scripts/firebird.sh and a use_server.
#
#   run_sql_tests KIND         each tests/sql/sql/NAME.sql on a fresh database
#                              with the functions declared as KIND (udf, udr)
#   differential_test          every legacy function against its routine twin
#   migration_works            a database with dependents moves to the
#                              routines and back, then drops them
#   dialect1_database_works KIND [SET]  the dialect-1 declarations work (in
#                              a database of character set SET)
#   legacy_call_fails_as_expected where the profile says a legacy call cannot
#                              run, it does not, as the profile says
#
# A test NAME.sql runs on every front; udf_NAME and udr_NAME on one front
# only; NAME_utf8 in a UTF8 connection; a test whose first line says
# "-- needs: FEATURE" only on servers that have it (FB_FEATURES).  Its
# output must be expected/NAME.KIND.out where the fronts differ by design,
# expected/NAME.SERVER.out where a server's SQL does (NAME.VARIANT.out for
# every server of a variant FB_VARIANT names: windows, 2.5), else
# expected/NAME.out.
# Error messages are cut to their SQLSTATE line, in the one-front tests
# also to the routines' own words ("UDF_NAME: ..."): fronts and servers word
# the rest differently.

# The output of one test, error messages cut: the message lines after
# "Statement failed" (our own kept where asked), and the line numbers some
# servers add.
sql_test_output() {
    local database="$1" name="$2" connection=()
    case "$name" in *_utf8) connection=(-ch UTF8) ;; esac
    local own=0
    case "$name" in udf_* | udr_*) own=1 ;; esac
    server_paths <"$ROOT/tests/sql/sql/$name.sql" >"$BUILD/sqltest-$name.sql"
    fb_isql -q -m -e "${connection[@]}" "$database" -i "$BUILD/sqltest-$name.sql" 2>&1 |
        client_paths | cut_messages "$own"
}

# SQL's quoted file paths as the server names them, and back.
server_paths() { if [ -n "$FB_WINDOWS" ]; then windows_sql_paths; else cat; fi; }
client_paths() { if [ -n "$FB_WINDOWS" ]; then linux_sql_paths; else cat; fi; }

# isql's output with each error cut to its SQLSTATE line, and to our own
# words ("UDF_NAME: ...") when OWN is 1.
cut_messages() {
    awk -v own="$1" '
        /^Statement failed, SQLSTATE/ { print; cut = 1; next }
        /^(After|At) line [0-9]* in file/ { next }
        cut && own && /^-?UDF_[A-Z]*: / { cut = 2; print; next }
        cut == 1 || (cut && /^-/) { cut = 2; next }
        { cut = 0; print }'
}

# first_output DIR NAME...: DIR/NAME.out for the first NAME that has one.
first_output() {
    local dir="$1" name
    shift
    for name in "$@"; do
        if [ -f "$dir/$name.out" ]; then
            echo "$dir/$name.out"
            return 0
        fi
    done
    return 1
}

expected_output() {
    local dir="$ROOT/tests/sql/expected"
    local variant variants=()
    for variant in $FB_VARIANT; do variants+=("$1.$variant"); done
    first_output "$dir" "$1.$SERVER_ID.$2" "$1.$SERVER_ID" "${variants[@]}" "$1.$2" \
        "$1" || echo "$dir/$1.out"
}

run_sql_tests() {
    local kind="$1" template="$BUILD/sqltest-template.fdb" database="$BUILD/sqltest.fdb"
    local file name expected actual needs
    create_database "$template" "$kind" || { fail 1; return 1; }
    fb_client "$(tool_program put_long_segment)" "$template"
    for file in "$ROOT"/tests/sql/sql/*.sql; do
        name="$(basename "$file" .sql)"
        case "$kind/$name" in udf/udr_* | udr/udf_*) continue ;; esac
        needs=$(sed -n '1s/^-- needs: //p' "$file")
        [ -z "$needs" ] || has_feature "$needs" || continue
        expected=$(expected_output "$name" "$kind")
        cp "$template" "$database"
        actual="$BUILD/sqltest-$name.$kind.out"
        sql_test_output "$database" "$name" >"$actual" || true
        if diff -u "$expected" "$actual" >&2 && database_is_intact "$database"; then
            pass 1
        else
            say "FAILED: SQL test $name on the $kind declarations, $FB_NAME (actual output in $actual)"
            fail 1
        fi
    done
    rm -f "$database" "$template" /tmp/kovudf_sqltest_* "$BUILD"/sqltest-*.sql
}

# Every legacy function against its external-routine twin over 3,000 varied
# rows (tests/differential): the twins are declared side by side, the
# routines as UDR_*, and every disagreement is counted.
differential_test() {
    local database="$BUILD/differential.fdb" dir="$BUILD/differential" out
    mkdir -p "$dir"
    create_database "$database" udf || return 1
    "$BUILD/kovudf_declare" sql --front routine --prefix UDR_ >"$dir/twins.sql"
    head -c 50000 /dev/urandom >"$dir/source.bin"
    sed "s|@SOURCE@|$dir/source.bin|g" "$ROOT/tests/differential/compare.sql" >"$dir/compare.sql"
    quietly fb_isql -q -m -b "$database" -i "$dir/twins.sql" &&
        quietly fb_isql -q -m -b "$database" -i "$ROOT/tests/differential/rows.sql" || return 1
    out=$(fb_isql -q -m "$database" -i "$dir/compare.sql" 2>&1)
    rm -f "$database"
    only_zero_counts "$out" 3000
}

# $1, the output of a comparison, says ROWS_COMPARED $2 and every other
# count is 0.
only_zero_counts() {
    echo "$1" | grep -q "^ROWS_COMPARED *$2\$" &&
        ! echo "$1" | grep -vE "^(ROWS_COMPARED +$2|[A-Z_]+ +0)?\$" | grep -q . || {
        echo "$1" | grep -vE '^[A-Z_]+ +0$' >&2
        return 1
    }
}

# The kovudf functions of a database, found by module or routine whatever
# their names: how many, and how many are routines.
function_kinds() {
    fb_isql -q -m "$1" <<'EOF' | tr -s ' \n' ' '
SET LIST ON;
SELECT COUNT(*) AS functions, SUM(IIF(RDB$ENGINE_NAME = 'UDR', 1, 0)) AS routines
FROM RDB$FUNCTIONS WHERE RDB$PACKAGE_NAME IS NULL
 AND ('/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf'
      OR '/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.dll'
      OR '/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\', '/')) LIKE '%/kovudf.so'
      OR RDB$ENTRYPOINT STARTING WITH 'kovudf!');
EOF
}

# After the move, where the server has partial indexes (5.0 on): the
# partial index agrees with its condition row by row, and the index its DBA
# made inactive is still inactive (before 5.0 it is built, as a restore's).
indexes_kept() {
    local out
    has_feature partial_index || return 0
    out=$(fb_isql -q -m "$1" 2>&1 <<'SQL'
SELECT IIF((SELECT LIST(id) FROM customers WHERE UDF_STRLEN(name) = 0
            PLAN (customers INDEX (customers_no_name))) IS NOT DISTINCT FROM
           (SELECT LIST(id) FROM customers WHERE UDF_STRLEN(name) + 0 = 0), 'agree', 'differ') ||
       (SELECT RDB$INDEX_INACTIVE FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'CUSTOMERS_NAME_OFF')
FROM RDB$DATABASE;
SQL
    )
    grep -qE 'agree *1' <<<"$out" || { echo "indexes after the move: $out" >&2; return 1; }
}

# check.sql's output against check.out, on the root of FBROOT.
dependents_give() {
    local database="$1" name="$2" dir="$BUILD/migration"
    fb_isql -q -m "$database" -i "$ROOT/tests/migration/check.sql" >"$dir/$name.out" 2>&1
    diff -u "$ROOT/tests/migration/check.out" "$dir/$name.out" >&2
}

# Legacy declarations with a view, a procedure and a trigger that call them
# (tests/migration/schema.sql) are turned into external routines in place
# by kovudf_udr_migrate.sql, under the server's own UdfAccess (None from
# Firebird 3 on): the legacy module need not be allowed for the move.  While
# a declaration that does not fit its entry point is there, the migration
# refuses and changes nothing.  The
# dependents give the same results before and after; a backup taken before
# brings the legacy functions back, which the server refuses to call until
# UdfAccess allows them.  Then kovudf_drop.sql removes the routines.  Where
# a legacy call cannot run at all (FB_LEGACY), none is made: the rows, whose
# trigger calls the functions, go in after the move.  The view, whose
# columns are legacy CSTRING results, is made anew by the migration: the
# server may know no CSTRING columns (Firebird 6).
migration_works() {
    local dir="$BUILD/migration" database="$BUILD/migration/db.fdb" kinds out
    local own="$BUILD/servers/$SERVER_ID/default-root"
    rm -rf "$dir"
    mkdir -p "$dir"
    make_root "$own" default
    create_database "$database" udf &&
        quietly fb_isql -q -m -b "$database" -i "$ROOT/tests/migration/schema.sql" || return 1
    if has_feature partial_index; then
        quietly fb_isql -q -m -b "$database" -i "$ROOT/tests/migration/partial.sql" || return 1
    fi
    if [ "$FB_LEGACY" = works ]; then
        quietly fb_isql -q -m -b "$database" -i "$ROOT/tests/migration/data.sql" &&
            dependents_give "$database" before || return 1
    fi
    # A declaration that does not fit its entry point (one that crashes a
    # legacy server) stops the migration, named, with nothing changed.
    echo "DECLARE EXTERNAL FUNCTION BADLEN INTEGER RETURNS INTEGER BY VALUE
          ENTRY_POINT '_UDF_StrLen' MODULE_NAME 'kovudf'; COMMIT;" | quietly fb_isql -q -b "$database"
    if out=$(FBROOT="$own" fb_isql -q -m -b "$database" -i "$ROOT/sql/kovudf_udr_migrate.sql" 2>&1) ||
        ! echo "$out" | grep -q 'BADLEN.*parameter 1 is INTEGER; the entry point reads a CSTRING' ||
        [ "$(function_kinds "$database")" != " FUNCTIONS 42 ROUTINES 0 " ]; then
        echo "the migration with a misfit: $out" >&2
        return 1
    fi
    echo "DROP EXTERNAL FUNCTION BADLEN; COMMIT;" | quietly fb_isql -q -b "$database" &&
        { ! has_tool gbak || quietly fb_gbak -b "$database" "$dir/before_udr.fbk"; } &&
        FBROOT="$own" quietly fb_isql -q -m -b "$database" -i "$ROOT/sql/kovudf_udr_migrate.sql" ||
        return 1
    if [ "$FB_LEGACY" != works ]; then
        FBROOT="$own" quietly fb_isql -q -m -b "$database" -i "$ROOT/tests/migration/data.sql" ||
            return 1
    fi
    FBROOT="$own" dependents_give "$database" after && FBROOT="$own" indexes_kept "$database" ||
        return 1
    kinds=$(FBROOT="$own" function_kinds "$database")
    [ "$kinds" = " FUNCTIONS 41 ROUTINES 41 " ] || { echo "after the move: $kinds" >&2; return 1; }
    # The way back, where the legacy functions run and the server has a
    # gbak: the backup restored where the module is allowed, and what the
    # server's own UdfAccess makes of it.
    if [ "$FB_LEGACY" = works ] && has_tool gbak; then
        quietly fb_gbak -rep "$dir/before_udr.fbk" "$database" || return 1
        kinds=$(function_kinds "$database")
        [ "$kinds" = " FUNCTIONS 41 ROUTINES 0 " ] || { echo "after the way back: $kinds" >&2; return 1; }
        # (A write to a table with an index computed by a legacy function
        # that cannot load leaves Firebird 3 to 5 hanging at its rollback:
        # a call of its own.)
        out=$(echo "SELECT UDF_TRIM('x') FROM RDB\$DATABASE;" | FBROOT="$own" fb_isql -q -m "$database" 2>&1)
        echo "$out" | grep -q 'module name or entrypoint could not be found' || {
            echo "a legacy call under the server's own UdfAccess gave: $out" >&2
            return 1
        }
        dependents_give "$database" back || return 1
    fi
    # Removing the routines once nothing uses them.
    quietly fb_isql -q -m -b "$database" -i "$ROOT/sql/kovudf_udr_migrate.sql" &&
        quietly fb_isql -q -m -b "$database" -i "$ROOT/tests/migration/drop_dependents.sql" &&
        quietly fb_isql -q -m -b "$database" -i "$ROOT/sql/kovudf_drop.sql" || return 1
    kinds=$(function_kinds "$database")
    [ "$kinds" = " FUNCTIONS 0 ROUTINES <null> " ] || { echo "after the drop: $kinds" >&2; return 1; }
}

# The dialect-1 scripts declare every function in a dialect-1 database, where
# DATE holds a date and a time of day; UDF_JDATE takes today there too.
dialect1_database_works() {
    local kind="$1" charset="${2:-NONE}" database="$BUILD/dialect1.fdb" out
    create_database "$database" "$kind" 1 "$charset" || return 1
    out=$(fb_isql -q -m "$database" <<'EOF'
SET LIST ON;
SELECT UDF_GETHOUR(UDF_ADDTIME(CAST('21-JUN-2002 23:30:00' AS DATE), 0, 45, 0)) AS h,
       UDF_DIFFDAY(UDF_JDATE('2002/3/1'), UDF_TODATE(2002, 2, 1)) AS d,
       UDF_TRIM('  ok  ') AS t,
       UDF_DIFFDAY(UDF_JDATE('10:30'), CURRENT_TIMESTAMP) + UDF_DIFFDAY(UDF_JDATE(''), CURRENT_TIMESTAMP)
           + UDF_GETYEAR(UDF_JDATE('6/21')) - EXTRACT(YEAR FROM CURRENT_TIMESTAMP) AS j
FROM RDB$DATABASE;
EOF
)
    rm -f "$database"
    [ "$(echo "$out" | tr -s ' ' | grep -E '^[HDTJ] ')" = "$(printf 'H 0\nD 28\nT ok\nJ 0')" ] || {
        echo "$out" >&2
        return 1
    }
}

# Where a legacy call cannot run (FB_LEGACY=crashes: the 6.0 snapshot), the
# run shows that it fails that way, so that the day a newer server behaves
# differently the run says so: a call with numbers kills the embedded
# engine, and nothing is left running.
legacy_call_fails_as_expected() {
    local database="$BUILD/legacy_call.fdb" status=0
    create_database "$database" udf || return 1
    (echo "SELECT UDF_IABS(-5) FROM RDB\$DATABASE;" | fb_isql -q -m "$database") >/dev/null 2>&1 ||
        status=$?
    if [ "$status" -le 128 ]; then
        echo "a legacy call on $FB_NAME ended with status $status, not a crash: see what it does now" >&2
        return 1
    fi
    ! pgrep -f "$database" >/dev/null || { echo "a crashed engine left a process" >&2; return 1; }
    rm -f "$database"
}
