# shellcheck shell=bash
# charsets.sh - the routines in databases of each character set, sourced
# by ./run after tests/sql/suite.sh.
#
#   charset_tests              tests/sql/charsets/queries.sql in a NONE, a
#                              SJIS_0208 and a UTF8 database, each read
#                              through a NONE, a SJIS_0208 and a UTF8
#                              connection
#   charset_differential SET   the routines declared in SET against the NONE
#                              routines and the built-ins (tests/differential/
#                              charsets.sql)
#   charset_migration SET      legacy declarations in a SET database, with a
#                              procedure calling them, become the routines
#                              of SET

# The encoding of what a client of connection set $2 gets from a database of
# set $1: NONE passes the database's bytes, Shift-JIS in a NONE database.
client_encoding() {
    local set="$2"
    [ "$set" = NONE ] && set="$1"
    case "$set" in
        NONE | SJIS_0208) echo SHIFT_JIS ;;
        UTF8) echo UTF-8 ;;
    esac
}

# Lines in encoding $1 as UTF-8; a line that is not well-formed there is
# shown as its bytes, a BLOB id as <blob>, and blank lines not at all.
to_utf8() {
    local line out
    while IFS= read -r line; do
        if out=$(printf '%s\n' "$line" | iconv -f "$1" -t UTF-8 2>/dev/null); then
            printf '%s\n' "$out"
        else
            printf 'bytes:%s\n' "$(printf '%s' "$line" | od -An -tx1 | tr -d '\n' | tr -s ' ')"
        fi
    done | sed -E -e 's/^([A-Z_]+) +[0-9a-f]+:[0-9a-f]+$/\1 <blob>/' -e '/^$/d'
}

# sql_bytes ENCODING TEXT: the UTF-8 TEXT in ENCODING as a SQL literal
# x'...'; fails where the encoding cannot hold it.
sql_bytes() {
    local bytes
    bytes=$(printf '%s' "$2" | iconv -f UTF-8 -t "$1" 2>/dev/null) || return 1
    echo "x'$(printf '%s' "$bytes" | od -An -tx1 | tr -d ' \n')'"
}

# Table T from rows.txt in the bytes of a database of set $1 (rows its
# encoding cannot hold are left out), each text also as a text BLOB, and
# table P of positions.
charset_rows() {
    local encoding id text literal n
    encoding=$(client_encoding "$1" NONE)
    echo "CREATE TABLE T (ID INTEGER, S VARCHAR(40), B BLOB SUB_TYPE TEXT);"
    echo "CREATE TABLE P (N INTEGER); COMMIT;"
    for n in $(seq 0 30); do
        echo "INSERT INTO P VALUES ($n);"
    done
    while IFS='|' read -r id text; do
        literal=$(sql_bytes "$encoding" "$text") || continue
        echo "INSERT INTO T (ID, S) VALUES ($id, $literal);"
    done <"$ROOT/tests/sql/charsets/rows.txt"
    echo "UPDATE T SET B = S; COMMIT;"
}

# The expected output of a SET database read in a CONNECTION: where the
# connection or the server (FB_FEATURES) changes what is seen, a file says
# so in its name.
charset_expected() {
    local feature=""
    has_feature blob_charset && feature=.blob_charset
    first_output "$ROOT/tests/sql/charsets/expected" "$1.$2$feature" "$1.$2" "$1" || true
}

charset_tests() {
    local dir="$ROOT/tests/sql/charsets" database="$BUILD/charsets.fdb" set connection
    local actual expected
    for set in NONE SJIS_0208 UTF8; do
        if ! { create_database "$database" udr 3 "$set" &&
            charset_rows "$set" | quietly fb_isql -q -m -b "$database"; }; then
            say "FAILED: a $set database for the character-set tests on $FB_NAME"
            fail 3
            continue
        fi
        for connection in NONE SJIS_0208 UTF8; do
            actual="$BUILD/charsets-$set-$connection.out"
            # isql fails where a statement does; the output says which.
            sed "s/@SET@/$set/g" "$dir/queries.sql" |
                fb_isql -q -m -e -ch "$connection" "$database" 2>&1 | cut_messages 0 |
                to_utf8 "$(client_encoding "$set" "$connection")" >"$actual" || true
            expected=$(charset_expected "$set" "$connection")
            if diff -u "$expected" "$actual" >&2; then
                pass 1
            else
                say "FAILED: a $set database read in $connection on $FB_NAME (actual output in $actual)"
                fail 1
            fi
        done
    done
    rm -f "$database"
}

# The routines declared in SET beside their NONE twins (UDN_*), compared in
# a UTF8 connection: 2,000 rows, every count 0.  A set the project has no
# scripts for gets the declarations kovudf_declare writes for it.
charset_differential() {
    local set="$1" database="$BUILD/charset_differential.fdb" out
    create_database "$database" udr 3 "$set" &&
        {
            declaration_scripts udr 3 "$set" >/dev/null ||
                "$BUILD/kovudf_declare" sql --front routine --charset "$set"
            "$BUILD/kovudf_declare" sql --front routine --charset NONE --prefix UDN_
        } | quietly fb_isql -q -m -b "$database" || return 1
    out=$(fb_isql -q -m -ch UTF8 "$database" -i "$ROOT/tests/differential/charsets.sql" 2>&1)
    rm -f "$database"
    only_zero_counts "$out" 2000
}

# A SET database's legacy declarations (always NONE), with a procedure that
# calls them, moved in place by that set's migration script: afterwards all
# 41 are routines and the procedure cuts and maps by character.
charset_migration() {
    local set="$1" database="$BUILD/charset_migration.fdb" script out expected
    script=$(declaration_scripts udr 3 "$set" | sed 's/\.sql .*/_migrate.sql/')
    create_database "$database" udf 3 "$set" || return 1
    {
        echo "CREATE TABLE M (S VARCHAR(20)); COMMIT;"
        echo "INSERT INTO M VALUES ($(sql_bytes "$(client_encoding "$set" NONE)" '日本abc'));"
        echo "SET TERM ^ ; CREATE PROCEDURE MP RETURNS (UP VARCHAR(20), SUB VARCHAR(20)) AS"
        echo "BEGIN FOR SELECT UDF_SJISUPPER(S), UDF_SUBSTR(S, 3, 4) FROM M INTO :UP, :SUB DO SUSPEND; END^"
        echo "SET TERM ; ^ COMMIT;"
    } | quietly fb_isql -q -m -b "$database" || return 1
    if [ "$set" = UTF8 ] && [ "$FB_LEGACY" = works ]; then
        # The legacy walk leaves UTF-8's あa as it is, the routine makes it
        # あA, a key the UNIQUE index holds: named, nothing changed.
        echo "CREATE UNIQUE INDEX MU ON M COMPUTED BY (CAST(UDF_SJISUPPER(S) AS VARCHAR(20))); COMMIT;
              INSERT INTO M VALUES ('あa'); INSERT INTO M VALUES ('あA'); COMMIT;" |
            quietly fb_isql -q -b -ch UTF8 "$database" || return 1
        out=$(fb_isql -q -m -ch UTF8 "$database" -i "$ROOT/sql/$script" 2>&1)
        grep -q "2 equal keys 'あA' with the routines, where the legacy functions gave 'あa' and 'あA'" <<<"$out" &&
            [ "$(function_kinds "$database")" = " FUNCTIONS 41 ROUTINES 0 " ] &&
            echo "DROP INDEX MU;" | quietly fb_isql -q -b "$database" || { echo "$out" >&2 && return 1; }
    fi
    quietly fb_isql -q -m -b "$database" -i "$ROOT/sql/$script" || return 1
    out="$(function_kinds "$database")|$(echo "SELECT UP || '|' || SUB FROM MP;" |
        fb_isql -q -m -ch UTF8 "$database" 2>&1 | sed -n 's/^\(日本ABC|[^ ]*\).*/\1/p')"
    rm -f "$database"
    # Bytes 3 to 6 of 日本abc: a cut Shift-JIS character and "abc", or 本a.
    expected=" FUNCTIONS 41 ROUTINES 41 |日本ABC|abc"
    [ "$set" = UTF8 ] && expected=" FUNCTIONS 41 ROUTINES 41 |日本ABC|本a"
    [ "$out" = "$expected" ] || {
        echo "after $script: $out" >&2
        return 1
    }
}
