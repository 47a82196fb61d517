# shellcheck shell=bash
# server.sh - a real Firebird SuperServer of the current server profile, run
# as a process of the test run: a private root with its own firebird.conf,
# security database, port on 127.0.0.1, lock and temp directories and log.
# Clients are the server's isql over the network; a Windows server (under
# Wine) is reached by this machine's clients, as a Windows server is by
# Linux ones.  Sourced by ./run after scripts/firebird.sh and a use_server.
#
#   server_start [UDF_DIR [stock]]   start it (see make_root for the options)
#   server_stop                      stop it, if it runs
#   server_target DATABASE           the database as clients name it
#   client_isql ARGS...              isql as a client of the server
#   remote_isql DATABASE ARGS...     isql on a database of the server
#   declared_database FILE KIND DIR  a new database with KIND's scripts from
#                                    DIR run over the network
#   server_load CLIENTS SECONDS      the load test on both fronts
#   server_gc_load WRITERS READERS SECONDS
#                                    writers and readers of a table whose
#                                    indexes the routines compute, the
#                                    garbage collected cooperatively
#   clients_read_blob_results        BLOB results read back whole through
#                                    the client API and node-firebird

SERVER_PASSWORD=""
server_pid=""
server_job=""
server_port=""

free_port() {
    local port
    for port in $(seq 30550 30650); do
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
            echo "$port"
            return 0
        fi
    done
    return 1
}

server_dir() { echo "$BUILD/servers/$SERVER_ID/server"; }

# The server's own programs and clients run on its root.
on_server() { FBROOT="$(server_dir)/root" ISC_PASSWORD="$SERVER_PASSWORD" "$@"; }

# The password of SYSDBA on the server: ours where its users are Srp users,
# else the one its security database comes with.
server_password() {
    [ "$FB_SRP" = yes ] && echo kovudf-load || echo masterkey
}

server_start() {
    local dir root security i
    dir=$(server_dir)
    root="$dir/root"
    rm -rf "$dir"
    # The embedded engine's settings (FB_CONF) are not a server's: its tools
    # here are its clients.
    FB_CONF="" make_root "$root" "$@"
    mkdir -p "$dir/tmp"
    SERVER_PASSWORD=$(server_password)
    security="$root/$(basename "$FB_SECURITY")"
    rm -f "$security"
    cp "$FB_CHROOT$FB_SECURITY" "$security"
    server_port=$(free_port)
    cat >>"$root/firebird.conf" <<CONF
ServerMode = Super
RemoteServicePort = $server_port
RemoteBindAddress = 127.0.0.1
CONF
    if [ "$FB_SRP" = yes ]; then
        # Clients that do not encrypt the wire (node-firebird) may connect.
        cat >>"$root/firebird.conf" <<CONF
SecurityDatabase = $(fb_path "$security")
AuthServer = Srp
AuthClient = Srp
UserManager = Srp
WireCrypt = Enabled
CONF
        # SYSDBA's password, set through the embedded engine.
        echo "CREATE OR ALTER USER SYSDBA PASSWORD '$SERVER_PASSWORD' USING PLUGIN Srp; COMMIT;" |
            on_server quietly fb_isql -q -m "$security" || return 1
    fi
    # A Windows server runs as an application, with no tray icon.
    on_server fb_run "$FB_SERVER" ${FB_WINDOWS:+-a -n} </dev/null >"$dir/stdout" 2>&1 &
    server_job=$!
    # The server is the process listening on our port; under Wine the
    # wineserver holds the socket, and the server is the firebird.exe
    # process (the job is only Wine's launcher).
    for i in $(seq 1 100); do
        server_pid=$(ss -Hltnp "sport = :$server_port" 2>/dev/null |
            sed -n 's/.*pid=\([0-9]*\).*/\1/p' | head -1)
        [ -z "$server_pid" ] || [ -z "$FB_WINDOWS" ] ||
            server_pid=$(pgrep -n -f "$(basename "$FB_SERVER") -a -n")
        [ -n "$server_pid" ] && return 0
        sleep 0.1
    done
    echo "the server did not start:" >&2
    cat "$dir/stdout" "$FBLOG"/* >&2 2>/dev/null
    return 1
}

server_stop() {
    [ -n "$server_pid" ] || return 0
    kill "$server_pid" 2>/dev/null || true
    local i
    for i in $(seq 1 50); do
        kill -0 "$server_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$server_pid" 2>/dev/null || true
    [ -z "$server_job" ] || wait "$server_job" 2>/dev/null || true
    server_pid=""
    server_job=""
}

# The server process's resident set in kB.
server_rss() {
    awk '/^VmRSS/ {print $2}' "/proc/$server_pid/status" 2>/dev/null || echo 0
}

server_target() { echo "127.0.0.1/$server_port:$(fb_path "$1")"; }

# The server's own isql, or for a Windows server this machine's.
client_isql() {
    if [ -n "$FB_WINDOWS" ]; then
        env ISC_USER=SYSDBA ISC_PASSWORD="$SERVER_PASSWORD" "${FB_CLIENT_ISQL:-/usr/bin/isql-fb}" "$@"
    else
        on_server fb_isql "$@"
    fi
}

# A client program of ours (built for this machine) on the server.
client_program() {
    if [ -n "$FB_WINDOWS" ]; then "$@"; else on_server fb_client "$@"; fi
}

remote_isql() {
    local database="$1"
    shift
    client_isql -q -m "$(server_target "$database")" "$@"
}

declared_database() {
    local database="$1" kind="$2" dir="$3" charset="${4:-NONE}" script
    echo "CREATE DATABASE '$(server_target "$database")' USER 'SYSDBA' PASSWORD '$SERVER_PASSWORD' DEFAULT CHARACTER SET $charset; COMMIT;" |
        quietly client_isql -q -m || return 1
    fb_created "$database"
    for script in $(declaration_scripts "$kind" 3 "$charset"); do
        remote_isql "$database" -b -i "$dir/$script" >/dev/null || return 1
    done
}

# One client: runs the workload on a database until the deadline, comparing
# every pass with that database's reference; prints "passes differences",
# and the first differing pass on stderr.
load_client() {
    local deadline="$1" database="$2" reference="$3" workload="$4" passes=0 differences=0
    local out="$reference.$BASHPID"
    while [ "$(date +%s)" -lt "$deadline" ]; do
        remote_isql "$database" ${LOAD_CHARSET:+-ch "$LOAD_CHARSET"} -i "$workload" >"$out" 2>&1 || true
        if ! cmp -s "$out" "$reference"; then
            [ "$differences" -gt 0 ] || diff "$reference" "$out" | sed "s|^|$(basename "$workload") pass $passes: |" >&2
            differences=$((differences + 1))
        fi
        passes=$((passes + 1))
    done
    echo "$passes $differences"
}

# load_clients SECONDS CLIENT...: a load_client for each CLIENT
# ("DATABASE|REFERENCE|WORKLOAD[|CHARSET]") until SECONDS from now; the
# server's resident set halfway in rss_middle, the clients' totals in
# load_passes and load_differences (a client that said nothing counts as a
# difference).
load_clients() {
    local seconds="$1" deadline n=0 client database reference workload charset pids=() p d
    shift
    deadline=$(($(date +%s) + seconds))
    for client in "$@"; do
        n=$((n + 1))
        IFS='|' read -r database reference workload charset <<<"$client"
        LOAD_CHARSET="$charset" load_client "$deadline" "$database" "$reference" "$workload" \
            >"$(server_dir)/client$n" &
        pids+=($!)
    done
    sleep $((seconds / 2))
    rss_middle=$(server_rss)
    wait "${pids[@]}" 2>/dev/null || true
    load_passes=0 load_differences=0
    for n in $(seq 1 $#); do
        read -r p d <"$(server_dir)/client$n" || { p=0 d=1; }
        load_passes=$((load_passes + p)) load_differences=$((load_differences + d))
    done
}

# A load database with the functions declared as KIND, its rows, and its
# reference output from a single client.
load_database() {
    local kind="$1" dir database
    dir=$(server_dir)
    database="$dir/load_$kind.fdb"
    declared_database "$database" "$kind" "$ROOT/sql" &&
        remote_isql "$database" -b -i "$ROOT/tests/server/setup.sql" >/dev/null || return 1
    remote_isql "$database" -i "$dir/workload.sql" >"$dir/reference_$kind.out" 2>&1
    ! grep -qE 'Statement failed|error' "$dir/reference_$kind.out" || {
        cat "$dir/reference_$kind.out" >&2
        return 1
    }
}

# CLIENTS clients for SECONDS, alternating between a database with the
# legacy functions and one with the external routines.
server_load() {
    local clients="$1" seconds="$2" dir status=0
    trap server_stop EXIT
    server_start || return 1
    dir=$(server_dir)
    local workload="$dir/workload.sql" source="$dir/source.bin"
    head -c 30000 /dev/urandom >"$source"
    sed "s|@SOURCE@|$source|" "$ROOT/tests/server/workload.sql" >"$workload"
    load_database udf && load_database udr || {
        echo "setting up the load databases failed" >&2
        server_stop
        return 1
    }
    local rss_start rss_middle rss_end n kind load_list=()
    rss_start=$(server_rss)
    for n in $(seq 1 "$clients"); do
        kind=$([ $((n % 2)) = 1 ] && echo udf || echo udr)
        load_list+=("$dir/load_$kind.fdb|$dir/reference_$kind.out|$workload")
    done
    load_clients "$seconds" "${load_list[@]}"
    rss_end=$(server_rss)
    local passes=$load_passes differences=$load_differences alive=yes calls_per_pass
    kill -0 "$server_pid" 2>/dev/null || alive=no
    calls_per_pass=$(($(grep -o 'UDF_[A-Z]*(' "$workload" | wc -l) * 2000))
    echo "server load on $FB_NAME: $clients clients (half on legacy functions, half on routines), ${seconds}s, $passes passes (about $((passes * calls_per_pass)) function calls), $differences differing, server alive: $alive, RSS kB start/middle/end: $rss_start/$rss_middle/$rss_end" >&2
    server_stop
    trap - EXIT
    [ "$differences" -eq 0 ] && [ "$alive" = yes ] && [ "$passes" -ge "$clients" ] || status=1
    return "$status"
}

# The server's garbage collector and the routines: WRITERS clients insert,
# change and delete rows of a SJIS_0208 table whose expression indexes and
# indexed computed column the routines compute, while READERS clients read
# each index against a natural scan, for SECONDS; the garbage is collected
# cooperatively, as the migration requires (the server's background
# collector crashes on such keys).  The server must stay up, every read
# agree and gfix find nothing.
server_gc_load() {
    local writers="$1" readers="$2" seconds="$3" dir database target n status=0
    trap server_stop EXIT
    server_start || return 1
    dir=$(server_dir)
    database="$dir/gc.fdb"
    target=$(server_target "$database")
    declared_database "$database" udr "$ROOT/sql" SJIS_0208 &&
        remote_isql "$database" -b -i "$ROOT/tests/server/gc_setup.sql" &&
        remote_isql "$database" -i "$ROOT/tests/server/gc_read.sql" >"$dir/gc_read.out" 2>&1 &&
        [ "$(grep -c ' 0$' "$dir/gc_read.out")" = 4 ] || {
        cat "$dir/gc_read.out" >&2
        server_stop
        return 1
    }
    : >"$dir/gc_write.out"
    local load_list=() alive=yes rss_middle
    for n in $(seq 1 "$writers"); do
        sed "s|@WRITER@|$n|g" "$ROOT/tests/server/gc_write.sql" >"$dir/gc_write$n.sql"
        load_list+=("$database|$dir/gc_write.out|$dir/gc_write$n.sql|UTF8")
    done
    for n in $(seq 1 "$readers"); do
        load_list+=("$database|$dir/gc_read.out|$ROOT/tests/server/gc_read.sql")
    done
    load_clients "$seconds" "${load_list[@]}"
    kill -0 "$server_pid" 2>/dev/null || alive=no
    echo "garbage-collection load on $FB_NAME: $writers writers and $readers readers, ${seconds}s, $load_passes passes, $load_differences failed or differing, server alive: $alive" >&2
    [ "$alive" = yes ] && [ "$load_differences" -eq 0 ] && [ "$load_passes" -ge ${#load_list[@]} ] &&
        remote_isql "$database" -i "$ROOT/tests/server/gc_read.sql" 2>&1 | cmp -s - "$dir/gc_read.out" &&
        on_server database_is_intact "$target" -user SYSDBA -password "$SERVER_PASSWORD" ||
        status=1
    server_stop
    trap - EXIT
    return "$status"
}

# PHP's PDO_Firebird from Debian, a client of another kind.
PHP_PACKAGES=(php8.2-cli php8.2-interbase php8.2-mbstring)

# node-firebird from npm, in build/node.
install_node_firebird() {
    command -v npm >/dev/null || install_packages nodejs npm
    [ -d "$BUILD/node/node_modules/node-firebird" ] ||
        quietly npm install --prefix "$BUILD/node" --no-audit --no-fund node-firebird@2.17.1
}

# node SCRIPT ARGS... of tests/clients, with node-firebird at hand.
node_client() {
    env NODE_PATH="$BUILD/node/node_modules" node "$ROOT/tests/clients/$1" "${@:2}"
}

# node-firebird 2.17.1 cannot log in with some of the salts the server
# gives a Srp password (one in fifteen to twenty, on 3.0 and on 6.0; the
# server's own client logs in with every one): SYSDBA's password is set
# anew, with a new salt, until node-firebird logs in.
node_can_log_in() {
    local database try
    [ "$FB_SRP" = yes ] || return 0
    database="$(server_dir)/login.fdb"
    echo "CREATE DATABASE '$(server_target "$database")' USER 'SYSDBA' PASSWORD '$SERVER_PASSWORD'; COMMIT;" |
        quietly client_isql -q -m || return 1
    fb_created "$database"
    for try in $(seq 20); do
        node_client client.js "$server_port" "$(fb_path "$database")" "$SERVER_PASSWORD" >/dev/null &&
            return 0
        echo "ALTER USER SYSDBA PASSWORD '$SERVER_PASSWORD' USING PLUGIN Srp; COMMIT;" |
            remote_isql "$database" >/dev/null || return 1
    done
    return 1
}

# On a server of the current profile, for each front there: BLOB results,
# some built from inputs with empty segments, read back whole through the
# server's client library (tests/clients/blob_results.cpp) and through
# node-firebird (blob_results.js).  Where the routines run, node-firebird
# in UTF8 also reads their text results in a SJIS_0208 and in a UTF8
# database (charset_results.js), and PHP binds BLOB arguments to them in
# connections of every set and, where sessions have time zones, runs a
# statement prepared once across SET TIME ZONE (bound_blobs.php).
clients_read_blob_results() {
    local dir kind database charset blob_charset=no timezones=no
    has_feature blob_charset && blob_charset=yes
    has_feature timezones && timezones=yes
    install_node_firebird || return 1
    trap server_stop EXIT
    server_start || return 1
    node_can_log_in || { echo "node-firebird cannot log in on $FB_NAME" >&2; fail 1; }
    dir=$(server_dir)
    for kind in $FB_FRONTS; do
        database="$dir/clients_$kind.fdb"
        declared_database "$database" "$kind" "$ROOT/sql" || { fail 1; continue; }
        run_counted "BLOB results through the client API, $kind on $FB_NAME" \
            client_program "$BUILD/tests/blob_results" "$(server_target "$database")" \
            "$SERVER_PASSWORD"
        run_counted "BLOB results through node-firebird, $kind on $FB_NAME" \
            node_client blob_results.js "$server_port" "$(fb_path "$database")" "$SERVER_PASSWORD"
    done
    if runs_front udr; then
        for charset in SJIS_0208 UTF8; do
            database="$dir/clients_$charset.fdb"
            declared_database "$database" udr "$ROOT/sql" "$charset" || { fail 1; continue; }
            run_counted "text results in a $charset database through node-firebird on $FB_NAME" \
                node_client charset_results.js "$server_port" "$(fb_path "$database")" \
                "$SERVER_PASSWORD" "$blob_charset"
            run_counted "BLOB arguments and a statement prepared once, by PHP's PDO_Firebird in a $charset database on $FB_NAME" \
                php "$ROOT/tests/clients/bound_blobs.php" "$server_port" "$(fb_path "$database")" \
                "$SERVER_PASSWORD" "$charset" "$timezones"
        done
    fi
    server_stop
    trap - EXIT
}
