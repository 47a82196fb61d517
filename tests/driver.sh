# shellcheck shell=bash
# driver.sh - ./run as a newcomer types it, sourced by ./run.
#
#   newcomer_sql_works   ./run sql from a UTF-8 terminal: typed Japanese text
#                        comes back right by default and with --udr
#                        --charset SJIS_0208, whole characters only; an
#                        unknown server is refused, naming the ones there are

newcomer_sql_works() {
    local query="SELECT UDF_SJISUPPER('ａｂｃ日本') AS U, UDF_SUBSTR('日本abc', 3, 4) AS S FROM RDB\$DATABASE"
    local options out
    for options in "" "--udr --charset SJIS_0208" "--udr --charset UTF8"; do
        # shellcheck disable=SC2086
        out=$(LC_ALL=C.UTF-8 "$ROOT/run" sql $options "$query" 2>&1 | tr -s ' ')
        case "$options" in *UTF8) expected="S 本a" ;; *) expected="S abc" ;; esac
        echo "$out" | grep -qx "U ＡＢＣ日本" && echo "$out" | grep -qx "$expected" || {
            echo "./run sql $options: $out" >&2
            return 1
        }
    done
    ! out=$("$ROOT/run" sql --server 7.0 "$query" 2>&1) && echo "$out" | grep -q "2.5 3.0 4.0 5.0 6.0" || {
        echo "./run sql --server 7.0: $out" >&2
        return 1
    }
}
