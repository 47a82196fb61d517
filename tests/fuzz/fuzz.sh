# shellcheck shell=bash
# fuzz.sh - the libFuzzer targets (clang, ASan + UBSan) and the
# ThreadSanitizer build, sourced by ./run.
#
#   build_fuzz_targets                 build/fuzz
#   fuzz_target NAME LIBFUZZER-OPTIONS one target from its seeds
#                                      (tests/fuzz/seeds/NAME.txt, one
#                                      printf %b line each) and its corpus
#   run_thread_sanitizer               every entry from many threads

FUZZ_TARGETS=(text blob date numeric udr)
CHECK_PACKAGES=(clang libclang-rt-14-dev)

build_fuzz_targets() {
    say "building the fuzz targets (clang, libFuzzer, ASan + UBSan)"
    quietly cmake -S "$ROOT" -B "$BUILD/fuzz" -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVUDF_FUZZ=ON -DKOVUDF_TESTS=OFF &&
        quietly cmake --build "$BUILD/fuzz" -j"$(nproc)" --target "${FUZZ_TARGETS[@]/#/fuzz_}"
}

fuzz_target() {
    local name="$1" seeds="$BUILD/fuzz/seeds/$1" corpus="$BUILD/fuzz/corpus/$1" log n=0 line
    shift
    rm -rf "$seeds"
    mkdir -p "$seeds" "$corpus"
    while IFS= read -r line; do
        case "$line" in "#"* | "") continue ;; esac
        n=$((n + 1))
        printf '%b' "$line" >"$seeds/seed$n"
    done <"$ROOT/tests/fuzz/seeds/$name.txt"
    log="$BUILD/fuzz/$name.log"
    if (cd "$BUILD/fuzz" && ASAN_OPTIONS=detect_leaks=1 "./tests/fuzz/fuzz_$name" \
        -print_final_stats=1 "$@" "$corpus" "$seeds") >"$log" 2>&1; then
        say "fuzz $name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs, \
corpus $(ls "$corpus" | wc -l) inputs"
    else
        grep -v '^#[0-9]' "$log" | tail -40 >&2
        return 1
    fi
}

run_thread_sanitizer() {
    say "building the ThreadSanitizer build"
    quietly cmake -S "$ROOT" -B "$BUILD/tsan" -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVUDF_THREAD_SANITIZE=ON &&
        quietly cmake --build "$BUILD/tsan" -j"$(nproc)" --target kovudf_tests || {
        fail 1
        return 1
    }
    run_gtest "every entry from many threads under ThreadSanitizer" \
        env TSAN_OPTIONS=halt_on_error=1 "$BUILD/tsan/tests/kovudf_tests" --gtest_filter='Threads.*'
}
