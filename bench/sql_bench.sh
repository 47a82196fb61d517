# sql_bench.sh - SQL timings on the embedded server, sourced by ./run bench.
#
# One database holds the legacy functions (UDF_*), their external-routine
# twins (UDR_*), empty routines with the same messages (EMPTY_*, from
# bench/udr_empty.cpp), the floors of the BLOB routines (FLOOR_*: the same
# calls of the server's BLOB interface and nothing else) and bench/rows.sql.  Every query of bench/functions.txt
# runs over all rows for each kind, the kinds interleaved, BENCH_REPS times
# (default 3); the median elapsed time less that of a bare COUNT(*) over the
# same rows, divided by the row count, is the net cost of one call.
# BENCH_ONLY=REGEX limits the run to the functions whose label matches.
# charset_bench then times routines declared in SJIS_0208 and UTF8, and
# sizes_bench one routine declared at several sizes.

# bench_rows FILE: the rows of bench/FILE, comments left out.
bench_rows() {
    grep -v '^#' "$ROOT/bench/$1"
}

bench_functions() {
    bench_rows functions.txt | grep -E "^(${BENCH_ONLY:-.*}) "
}

# timed_run DATABASE QUERIES OUTPUT: the queries through isql with their
# statistics, the database removed after; fails showing what failed.
timed_run() {
    fb_isql -q -m "$1" -i "$2" >"$3" 2>&1
    rm -f "$1"
    if grep -q 'Statement failed' "$3"; then
        grep -B2 -A4 'Statement failed' "$3" >&2
        return 1
    fi
}

# The awk both tables start from: each query's elapsed times under the alias
# isql prints before them; net(ALIAS), their median less the bare scan's
# (`base`, set from Z_BASE) in ns per row, or -1 for a query that did not run.
BENCH_TIMES='
    /^[A-Z]_[A-Za-z0-9_]+ / { alias = $1 }
    /^Elapsed time/ { sub(/.*= */, ""); times[alias] = times[alias] " " ($1 + 0) }
    function median(list,    n, v, i, j, t) {
        n = split(list, v, " ")
        if (n == 0) return -1
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
        return v[int((n + 1) / 2)]
    }
    function net(alias,    m) {
        m = median(times[alias])
        return m < 0 ? -1 : (m - base) * 1e9 / rows
    }
    function show(v) { return v < 0 ? "-" : sprintf("%.0f", v) }
    function ratio(a, b) { return (a < 0 || b <= 0) ? "-" : sprintf("%.2f", a / b) }'

sql_bench() {
    local reps="${BENCH_REPS:-3}" database="$BUILD/bench.fdb" dir="$BUILD/bench-sql"
    local rows=400000 label aggregate builtin rep
    mkdir -p "$dir"
    create_database "$database" udf || return 1
    "$BUILD/kovudf_declare" sql --front routine --functions plain --prefix UDR_ >"$dir/twins.sql"
    "$BUILD/kovudf_declare" sql --front routine --functions plain --prefix EMPTY_ \
        --module kovudf_empty >"$dir/empty.sql"
    "$BUILD/kovudf_declare" sql --front routine --functions plain --prefix FLOOR_ \
        --module kovudf_floor >"$dir/floor.sql"
    quietly fb_isql -q -m -b "$database" -i "$dir/twins.sql" &&
        quietly fb_isql -q -m -b "$database" -i "$dir/empty.sql" &&
        quietly fb_isql -q -m -b "$database" -i "$dir/floor.sql" &&
        quietly fb_isql -q -m -b "$database" -i "$ROOT/bench/rows.sql" || return 1
    {
        echo "SET LIST ON;"
        echo "SET STATS ON;"
        for rep in $(seq "$reps"); do
            echo "SELECT COUNT(*) AS Z_BASE FROM bench_rows;"
            while IFS='|' read -r label aggregate builtin; do
                label=$(echo $label) builtin=$(echo "$builtin" | sed 's/^ *//;s/ *$//')
                aggregate=$(echo "$aggregate" | sed 's/^ *//;s/ *$//')
                # LABEL:CASE times the function LABEL on another case.
                local fn="${label%%:*}" alias="${label//:/_}"
                # A server whose legacy calls crash (6.0) times the routines.
                [ "${FB_LEGACY:-works}" != works ] ||
                    echo "SELECT ${aggregate//@/UDF_$fn} AS L_$alias FROM bench_rows;"
                echo "SELECT ${aggregate//@/UDR_$fn} AS R_$alias FROM bench_rows;"
                echo "SELECT ${aggregate//@/EMPTY_$fn} AS E_$alias FROM bench_rows;"
                # The floor of a routine that reads or writes BLOBs.
                [[ "$fn" != *BLOB* ]] ||
                    echo "SELECT ${aggregate//@/FLOOR_$fn} AS F_$alias FROM bench_rows;"
                [ "$builtin" = - ] || echo "SELECT $builtin AS B_$alias FROM bench_rows;"
            done < <(bench_functions)
        done
    } >"$dir/queries.sql"
    timed_run "$database" "$dir/queries.sql" "$dir/output.txt" || return 1
    # Medians, net of the bare scan, in ns per row; then the table.
    awk -v rows="$rows" -v order="$(bench_functions | cut -d'|' -f1 | tr -d ' ' | tr '\n' ';')" "$BENCH_TIMES"'
        END {
            base = median(times["Z_BASE"])
            printf "| function | legacy ns | routine ns | routine / legacy | empty routine ns | routine / empty | floor ns | routine / floor | built-in ns |\n"
            printf "|---|---:|---:|---:|---:|---:|---:|---:|---:|\n"
            n = split(order, entries, ";")
            for (i = 1; i <= n; i++) {
                if (entries[i] == "") continue
                split(entries[i], parts, "|")
                label = parts[1]
                alias = toupper(label); gsub(/:/, "_", alias)
                name = label; sub(/:/, " (", name); if (name != label) name = name ")"
                l = net("L_" alias); r = net("R_" alias); e = net("E_" alias); b = net("B_" alias)
                f = net("F_" alias)
                printf "| UDF_%s | %s | %s | %s | %s | %s | %s | %s | %s |\n", name, show(l), show(r), ratio(r, l), show(e), ratio(r, e), show(f), ratio(r, f), show(b)
            }
            printf "\nA bare scan of the %d rows: %.3f s (median of the repetitions).\n", rows, base
        }' "$dir/output.txt" | tee "$dir/table.md"
}

# What the server's conversions cost: in a SJIS_0208 and in a UTF8 database,
# each row of bench/charsets.txt through the routine declared in the
# database's set (UDF_*), the one declared in NONE (UDN_*: the server hands
# the stored bytes over unconverted) and the built-in, over 400,000 rows.
# Medians net of a bare scan, in ns per row, as above.
charset_bench() {
    local reps="${BENCH_REPS:-3}" database="$BUILD/bench_charset.fdb" dir="$BUILD/bench-sql"
    local rows=400000 set label aggregate builtin rep
    mkdir -p "$dir"
    {
        printf '\n| function | database | in its set ns | in NONE ns | set / NONE | built-in ns |\n'
        printf '|---|---|---:|---:|---:|---:|\n'
    } >"$dir/charset_table.md"
    for set in SJIS_0208 UTF8; do
        create_database "$database" udr 3 "$set" &&
            "$BUILD/kovudf_declare" sql --front routine --functions plain --prefix UDN_ |
            quietly fb_isql -q -m -b "$database" || return 1
        {
            echo "CREATE TABLE bench_text (txt VARCHAR(30)); COMMIT;"
            echo "INSERT INTO bench_text"
            echo "WITH RECURSIVE r (k) AS (SELECT 0 FROM RDB\$DATABASE UNION ALL SELECT k + 1 FROM r WHERE k < 799)"
            echo "SELECT ' ａｂc日本 ' || a.k || '-' || b.k || ' テキスト ' FROM r a CROSS JOIN r b WHERE b.k < 500;"
            echo "COMMIT;"
        } | quietly fb_isql -q -m -b -ch UTF8 "$database" || return 1
        {
            echo "SET LIST ON;"
            echo "SET STATS ON;"
            for rep in $(seq "$reps"); do
                echo "SELECT COUNT(*) AS Z_BASE FROM bench_text;"
                while IFS='|' read -r label aggregate builtin; do
                    label=$(echo $label)
                    echo "SELECT ${aggregate//@/UDF_$label} AS T_$label FROM bench_text;"
                    echo "SELECT ${aggregate//@/UDN_$label} AS N_$label FROM bench_text;"
                    echo "SELECT $builtin AS B_$label FROM bench_text;"
                done < <(bench_rows charsets.txt)
            done
        } >"$dir/charset_queries.sql"
        timed_run "$database" "$dir/charset_queries.sql" "$dir/charset_$set.txt" || return 1
        awk -v rows="$rows" -v set="$set" \
            -v order="$(bench_rows charsets.txt | cut -d'|' -f1 | tr -d ' ' | tr '\n' ';')" "$BENCH_TIMES"'
            END {
                base = median(times["Z_BASE"])
                n = split(order, labels, ";")
                for (i = 1; i <= n; i++) {
                    if (labels[i] == "") continue
                    t = net("T_" labels[i]); u = net("N_" labels[i]); b = net("B_" labels[i])
                    printf "| UDF_%s | %s | %s | %s | %s | %s |\n", labels[i], set, show(t), show(u), ratio(t, u), show(b)
                }
            }' "$dir/charset_$set.txt" >>"$dir/charset_table.md"
    done
    tee -a "$dir/table.md" <"$dir/charset_table.md"
}

# What a declared size costs: UDF_STRLEN's routine declared with its text
# as VARCHAR(100), as the scripts declare it (4096) and at the most a
# VARCHAR holds (32765), over the same 400,000 rows of 55-byte texts.  The
# server copies a message's whole declared size on every call.
sizes_bench() {
    local reps="${BENCH_REPS:-3}" database="$BUILD/bench_sizes.fdb" dir="$BUILD/bench-sql"
    local rows=400000 size sizes=(100 4096 32765) rep
    mkdir -p "$dir"
    create_database "$database" udr &&
        quietly fb_isql -q -m -b "$database" -i "$ROOT/bench/rows.sql" || return 1
    for size in "${sizes[@]}"; do
        echo "CREATE FUNCTION SIZE_$size (TXT VARCHAR($size) CHARACTER SET NONE) RETURNS INTEGER
              EXTERNAL NAME 'kovudf!StrLen' ENGINE UDR; COMMIT;"
    done | quietly fb_isql -q -m -b "$database" || return 1
    {
        echo "SET LIST ON;"
        echo "SET STATS ON;"
        for rep in $(seq "$reps"); do
            echo "SELECT COUNT(*) AS Z_BASE FROM bench_rows;"
            for size in "${sizes[@]}"; do
                echo "SELECT SUM(SIZE_$size(txt)) AS S_$size FROM bench_rows;"
            done
        done
    } >"$dir/sizes_queries.sql"
    timed_run "$database" "$dir/sizes_queries.sql" "$dir/sizes.txt" || return 1
    awk -v rows="$rows" -v order="${sizes[*]}" "$BENCH_TIMES"'
        END {
            base = median(times["Z_BASE"])
            printf "\n| UDF_STRLEN declared | routine ns | against VARCHAR(4096) |\n|---|---:|---:|\n"
            n = split(order, sizes, " ")
            for (i = 1; i <= n; i++) {
                printf "| VARCHAR(%s) | %s | %s |\n", sizes[i], show(net("S_" sizes[i])),
                    ratio(net("S_" sizes[i]), net("S_4096"))
            }
        }' "$dir/sizes.txt" | tee -a "$dir/table.md"
}
