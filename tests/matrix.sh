# shellcheck shell=bash
# matrix.sh - every suite that runs in a server, on each server of the
# matrix, sourced by ./run.  A server whose tree is not at hand is skipped
# with a word on how to point at one; the run still ends with its count.
#
#   run_server_matrix SERVER...   one line a server at the end: its version,
#                                 what ran there, passed and failed, seconds

server_lines=()

# What a front is called in the summary.
fronts_of() {
    case "$1" in
        "udf udr") echo "legacy and routines" ;;
        udf) echo "legacy only" ;;
        udr) echo "routines only" ;;
    esac
}

run_on_server() {
    local id="$1" start=$SECONDS passed_before=$passed failed_before=$failed version kind set
    use_server "$id" || { fail 1; return; }
    if ! fb_install; then
        skip "$FB_NAME" "no server tree here"
        server_lines+=("$FB_NAME: skipped (see above)")
        return
    fi
    make_root "$FBROOT"
    version=$(fb_version)
    say "on $FB_NAME ($version), embedded"
    for kind in $FB_FRONTS; do
        run_sql_tests "$kind"
        check "the dialect-1 $kind declarations work on $FB_NAME" dialect1_database_works "$kind"
    done
    if [ "$FB_LEGACY" != works ]; then
        check "a legacy call on $FB_NAME fails as its profile says ($FB_LEGACY)" \
            legacy_call_fails_as_expected
    fi
    if [ "$FB_FRONTS" = "udf udr" ]; then
        check "legacy functions and routines agree over 3,000 rows on $FB_NAME" differential_test
    fi
    if runs_front udr; then
        check "a database with dependents moves to the routines and back on $FB_NAME" \
            migration_works
        upgrade_journey
        charset_tests
        for set in SJIS_0208 UTF8; do
            check "routines in a $set database agree with the NONE routines and the built-ins over 2,000 rows on $FB_NAME" \
                charset_differential "$set"
            check "a $set database's legacy declarations move to its routines on $FB_NAME" \
                charset_migration "$set"
            check "the dialect-1 routines of a $set database work on $FB_NAME" \
                dialect1_database_works udr "$set"
        done
        # The other multi-byte sets' walks on Linux servers only: under Wine
        # each database costs seconds, for the same source.
        [ -n "$FB_WINDOWS" ] || for set in EUCJ_0208 KSC_5601 BIG_5 GB_2312 GBK CP943C GB18030; do
            check "routines in a $set database agree with the NONE routines and the built-ins over 2,000 rows on $FB_NAME" \
                charset_differential "$set"
        done
    fi
    if [ "$FB_TARBALL" = yes ] && [ "${TARBALL_MADE:-yes}" = yes ]; then
        check "the release tarball's layout works in a copy of $FB_NAME's root" tarball_deploys
    fi
    if [ -n "$FB_WINDOWS" ]; then
        check "the $FB_WINDOWS-bit legacy module loads outside the root as the README says on $FB_NAME" \
            legacy_module_loads_as_documented
    fi
    if [ -n "$FB_SERVER" ]; then
        say "on $FB_NAME, a server on 127.0.0.1"
        clients_read_blob_results
        if [ -n "${FB_LOAD:-}" ]; then
            # shellcheck disable=SC2086
            check "$FB_LOAD clients and seconds on $FB_NAME give one client's results" server_load $FB_LOAD
        fi
        if [ -n "${FB_GC_LOAD:-}" ]; then
            # shellcheck disable=SC2086
            check "writers and readers ($FB_GC_LOAD) of indexes the routines compute, collected cooperatively, keep $FB_NAME up and its indexes right" \
                server_gc_load $FB_GC_LOAD
        fi
    fi
    finish_server_line
}

# The summary line of the server run_on_server ran on; a Windows server's
# Wine stopped.
finish_server_line() {
    [ -z "$FB_WINDOWS" ] || wine_stop "$WINE_PREFIX"
    server_lines+=("$FB_NAME ($version): $(fronts_of "$FB_FRONTS"), \
$((passed - passed_before)) passed, $((failed - failed_before)) failed, $((SECONDS - start)) s")
}

# Each server runs in a shell of its own, which hands back its counts and
# line: a run that ends early counts as a failure naming the server, and
# the others still run.
run_server_matrix() {
    local id counts="$BUILD/servers/counts" p f line
    say "an application's databases made on Firebird 2.5, for the upgrade journey"
    upgrade_fixture || say "no Firebird 2.5 here: the upgrade journey is skipped"
    for id in "$@"; do
        rm -f "$counts"
        set +e
        (
            set -eE
            trap 'say "$FB_NAME: ended at ${BASH_SOURCE[0]}:$LINENO: $BASH_COMMAND"' ERR
            passed=0 failed=0 server_lines=()
            run_on_server "$id"
            printf '%s %s %s\n' "$passed" "$failed" "${server_lines[*]}" >"$counts"
        )
        set -e
        if read -r p f line <"$counts" 2>/dev/null; then
            pass "$p"
            fail "$f"
            server_lines+=("$line")
        else
            say "FAILED: the run on $id ended early"
            fail 1
            server_lines+=("$id: ended early, see above")
        fi
    done
    printf '%s\n' "${server_lines[@]}"
}
