# shellcheck shell=bash
# server.sh - a real Firebird SuperServer for the load tests, sourced by ./run.
#
# Debian's /usr/sbin/firebird runs as a process of our own: a private root
# (build/server/root) with its own firebird.conf, security database, port on
# 127.0.0.1, lock and temp directories; its log (a path fixed when Debian
# built it) is kept private by a bind mount in a mount namespace of its own.
# Clients are isql-fb processes on libfbclient.  The server is always
# stopped on the way out.
#
#   server_load CLIENTS SECONDS   load test on the legacy functions and the
#                                 external routines; prints its figures, fails
#                                 on any difference between clients or a dead
#                                 server

SERVER_DIR="$BUILD/server"
SERVER_ROOT="$SERVER_DIR/root"
SERVER_PASSWORD=kovudf-load
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

# make_server_root [UDF_DIR [stock]]: the root, allowing UDF modules from
# UDF_DIR only (default build/); routines come from build/udr or, with
# "stock", from where the installed server's own plugins.conf says.
make_server_root() {
    local udf_dir="${1:-$BUILD}" plugins="${2:-}"
    rm -rf "$SERVER_DIR"
    mkdir -p "$SERVER_ROOT" "$SERVER_DIR/log" "$SERVER_DIR/lock" "$SERVER_DIR/tmp"
    local entry
    for entry in "$FB_LIB_DIR"/*; do
        case "$(basename "$entry")" in
            firebird.conf | intl | plugins.conf) ;;
            *) ln -s "$entry" "$SERVER_ROOT/$(basename "$entry")" ;;
        esac
    done
    cp -r "$FB_LIB_DIR/intl" "$SERVER_ROOT/intl"
    cp /var/lib/firebird/3.0/system/security3.fdb "$SERVER_ROOT/security3.fdb"
    server_port=$(free_port)
    cat >"$SERVER_ROOT/firebird.conf" <<CONF
UdfAccess = Restrict $udf_dir
ServerMode = Super
RemoteServicePort = $server_port
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $SERVER_ROOT/security3.fdb
AuthServer = Srp
AuthClient = Srp
UserManager = Srp
CONF
    if [ "$plugins" = stock ]; then
        cp "$FB_LIB_DIR/plugins.conf" "$SERVER_ROOT/plugins.conf"
    else
        write_plugins_conf "$SERVER_ROOT"
    fi
    # SYSDBA's password, set through the embedded engine.
    FIREBIRD="$SERVER_ROOT" FIREBIRD_LOCK="$SERVER_DIR/lock" ISC_USER=SYSDBA \
        isql-fb -q -m "$SERVER_ROOT/security3.fdb" <<SQL >/dev/null
CREATE OR ALTER USER SYSDBA PASSWORD '$SERVER_PASSWORD' USING PLUGIN Srp;
COMMIT;
SQL
}

server_env() {
    env FIREBIRD="$SERVER_ROOT" FIREBIRD_LOCK="$SERVER_DIR/lock" FIREBIRD_TMP="$SERVER_DIR/tmp" \
        ISC_USER=SYSDBA ISC_PASSWORD="$SERVER_PASSWORD" "$@"
}

# server_start [UDF_DIR [stock]]
server_start() {
    make_server_root "$@"
    local log="$SERVER_DIR/log"
    FIREBIRD="$SERVER_ROOT" FIREBIRD_LOCK="$SERVER_DIR/lock" FIREBIRD_TMP="$SERVER_DIR/tmp" \
        with_private_log "$log" /usr/sbin/firebird >"$SERVER_DIR/stdout" 2>&1 &
    server_job=$!
    # The server is the process listening on our port (the job started
    # above is a shell around it).
    local i
    for i in $(seq 1 100); do
        server_pid=$(ss -Hltnp "sport = :$server_port" 2>/dev/null |
            sed -n 's/.*pid=\([0-9]*\).*/\1/p' | head -1)
        [ -n "$server_pid" ] && return 0
        sleep 0.1
    done
    echo "the server did not start:" >&2
    cat "$SERVER_DIR/stdout" "$log"/* >&2 2>/dev/null
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

remote_isql() {
    local database="$1"
    shift
    server_env isql-fb -q -m "127.0.0.1/$server_port:$database" "$@"
}

# One client: runs the workload on a database until the deadline, comparing
# every pass with that database's reference; prints "passes differences".
load_client() {
    local deadline="$1" database="$2" reference="$3" workload="$4" passes=0 differences=0
    while [ "$(date +%s)" -lt "$deadline" ]; do
        if ! remote_isql "$database" -i "$workload" 2>&1 | cmp -s - "$reference"; then
            differences=$((differences + 1))
        fi
        passes=$((passes + 1))
    done
    echo "$passes $differences"
}

# declared_database FILE KIND DIR: a new database on the server with the
# functions declared as KIND (udf or udr) by the scripts in DIR.
declared_database() {
    local database="$1" kind="$2" dir="$3" scripts script
    if [ "$kind" = udr ]; then
        scripts=(kovudf_udr.sql kovudf_udr_files.sql)
    else
        scripts=(kovudf.sql kovudf_files.sql)
    fi
    server_env isql-fb -q -m <<SQL >/dev/null || return 1
CREATE DATABASE '127.0.0.1/$server_port:$database' DEFAULT CHARACTER SET NONE;
COMMIT;
SQL
    for script in "${scripts[@]}"; do
        remote_isql "$database" -b -i "$dir/$script" >/dev/null || return 1
    done
}

# A load database with the functions declared as KIND (udf or udr), its
# rows, and its reference output from a single client.
load_database() {
    local kind="$1" database="$SERVER_DIR/load_$1.fdb"
    declared_database "$database" "$kind" "$ROOT/sql" || return 1
    remote_isql "$database" -b -i "$ROOT/tests/server/setup.sql" >/dev/null || return 1
    remote_isql "$database" -i "$SERVER_DIR/workload.sql" >"$SERVER_DIR/reference_$kind.out" 2>&1
    ! grep -qE 'Statement failed|error' "$SERVER_DIR/reference_$kind.out" || {
        cat "$SERVER_DIR/reference_$kind.out" >&2
        return 1
    }
}

# CLIENTS clients for SECONDS, alternating between a database with the
# legacy functions and one with the external routines.
server_load() {
    local clients="$1" seconds="$2" status=0
    trap server_stop EXIT
    server_start || return 1
    local workload="$SERVER_DIR/workload.sql" source="$SERVER_DIR/source.bin"
    head -c 30000 /dev/urandom >"$source"
    sed "s|@SOURCE@|$source|" "$ROOT/tests/server/workload.sql" >"$workload"
    load_database udf && load_database udr || {
        echo "setting up the load databases failed" >&2
        server_stop
        return 1
    }
    local rss_start rss_middle rss_end deadline=$(($(date +%s) + seconds)) n kind
    rss_start=$(server_rss)
    local client_pids=()
    for n in $(seq 1 "$clients"); do
        kind=$([ $((n % 2)) = 1 ] && echo udf || echo udr)
        load_client "$deadline" "$SERVER_DIR/load_$kind.fdb" "$SERVER_DIR/reference_$kind.out" \
            "$workload" >"$SERVER_DIR/client$n" &
        client_pids+=($!)
    done
    sleep $((seconds / 2))
    rss_middle=$(server_rss)
    wait "${client_pids[@]}" 2>/dev/null || true
    rss_end=$(server_rss)
    local passes=0 differences=0 p d
    for n in $(seq 1 "$clients"); do
        read -r p d <"$SERVER_DIR/client$n" || { p=0 d=1; }
        passes=$((passes + p))
        differences=$((differences + d))
    done
    local alive=yes
    kill -0 "$server_pid" 2>/dev/null || alive=no
    local calls_per_pass
    calls_per_pass=$(($(grep -o 'UDF_[A-Z]*(' "$workload" | wc -l) * 2000))
    echo "server load: $clients clients (half on legacy functions, half on routines), ${seconds}s, $passes passes (about $((passes * calls_per_pass)) function calls), $differences differing, server alive: $alive, RSS kB start/middle/end: $rss_start/$rss_middle/$rss_end" >&2
    server_stop
    trap - EXIT
    [ "$differences" -eq 0 ] && [ "$alive" = yes ] && [ "$passes" -ge "$clients" ] || status=1
    return "$status"
}
