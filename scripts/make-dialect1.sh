#!/usr/bin/env bash
# make-dialect1.sh - writes sql/kovudf_dialect1.sql from sql/kovudf.sql.
# In dialect 1 the date-and-time type is called DATE; nothing else differs.
# ./run test fails when the committed file is out of date.
set -euo pipefail
cd "$(dirname "$0")/.."
sed -e '1s|.*|/* kovudf_dialect1.sql - declares the kovudf functions in a dialect-1 database.|' \
    -e '2,4s|^\(   Run it once per database:   isql-fb -i \)kovudf.sql|\1kovudf_dialect1.sql|' \
    -e 's/TIMESTAMP/DATE/g' sql/kovudf.sql
