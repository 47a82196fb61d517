#!/usr/bin/env bash
# make-sql.sh NAME - prints the generated declaration script sql/NAME, made
# from the hand-written ones:
#
#   kovudf_dialect1.sql              kovudf.sql with DATE for TIMESTAMP
#   kovudf_udr_dialect1.sql          kovudf_udr.sql with DATE for TIMESTAMP
#   kovudf_udr_migrate.sql           turns the legacy declarations of a
#                                    database into external routines, in place
#   kovudf_udr_migrate_dialect1.sql  the same for a dialect-1 database
#
# In dialect 1 the date-and-time type is called DATE; nothing else differs.
# ./run test fails when a committed file is out of date; to refresh one:
#   scripts/make-sql.sh NAME > sql/NAME
set -euo pipefail
cd "$(dirname "$0")/.."

dialect1() {
    sed -e "1s|.*|/* $2 - $3|" \
        -e "2,6s|^\(   Run it once per database:   isql-fb -i \)$1|\1$2|" \
        -e "2s|in a dialect-3 database|in a dialect-1 database|" -e 's/TIMESTAMP/DATE/g' "sql/$1"
}

# Each CREATE FUNCTION of the routine scripts becomes an ALTER FUNCTION run
# only when the database declares that function, so databases without the
# file functions are moved too.  Views, procedures and triggers that call
# the functions keep working: the functions keep their names and arguments.
migrate() {
    local date_type="$1" script="$2"
    cat <<HEAD
/* $script - turns the legacy kovudf declarations of a database
   (kovudf.sql, kovudf_files.sql) into the external routines of
   kovudf_udr.sql and kovudf_udr_files.sql, in place: names and arguments
   stay, so views, procedures and triggers that call them keep working.
   Functions the database does not declare are skipped.

   Run it once:   isql-fb -i $script <database>

   The module libkovudf.so (kovudf.dll) must be in the server's UDR
   directory first.  The way back is a backup taken before:
       gbak -b <database> before_udr.fbk        (before running this)
       gbak -rep before_udr.fbk <database>      (to return to the legacy UDFs)
   The server cannot turn an external routine back into a legacy function in
   place (ALTER EXTERNAL FUNCTION refuses a routine). */

SET TERM ^ ;
EXECUTE BLOCK AS
BEGIN
HEAD
    sed -n '/^CREATE FUNCTION/,/;$/p' sql/kovudf_udr.sql sql/kovudf_udr_files.sql |
        sed "s/TIMESTAMP/$date_type/g" |
        awk '
            /^CREATE FUNCTION/ { name = $3; statement = "" }
            { line = $0; sub(/^ +/, "", line); statement = statement (statement == "" ? "" : " ") line }
            /;$/ {
                sub(/;$/, "", statement)
                sub(/^CREATE/, "ALTER", statement)
                gsub(/'\''/, "'\'''\''", statement)
                printf "    IF (EXISTS (SELECT 1 FROM RDB$FUNCTIONS WHERE RDB$FUNCTION_NAME = '\''%s'\''\n", name
                printf "                AND RDB$PACKAGE_NAME IS NULL)) THEN\n"
                printf "        EXECUTE STATEMENT '\''%s'\'';\n", statement
            }'
    cat <<TAIL
END^
SET TERM ; ^

COMMIT;
TAIL
}

case "${1:-}" in
    kovudf_dialect1.sql)
        dialect1 kovudf.sql kovudf_dialect1.sql "declares the kovudf functions in a dialect-1 database." ;;
    kovudf_udr_dialect1.sql)
        dialect1 kovudf_udr.sql kovudf_udr_dialect1.sql \
            "declares the kovudf functions as external routines (UDR)" ;;
    kovudf_udr_migrate.sql) migrate TIMESTAMP kovudf_udr_migrate.sql ;;
    kovudf_udr_migrate_dialect1.sql) migrate DATE kovudf_udr_migrate_dialect1.sql ;;
    *)
        sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//' >&2
        exit 2
        ;;
esac
