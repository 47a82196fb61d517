// kovudf_bench - how long the entries take outside the server.
//
//   ./run bench      (also runs the SQL timings on the embedded server)
//
// Blocks come from plain malloc here and are freed right away, as the
// server frees them after each call.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "date/calendar.h"
#include "legacy/entries.h"
#include "text/sjis_case.h"

namespace {

void* bench_malloc(host_malloc_size size) {
    return std::malloc(static_cast<size_t>(size));
}

struct UseMalloc {
    UseMalloc() { host_malloc = bench_malloc; }
};
const UseMalloc use_malloc;

// Mixed Shift-JIS and ASCII text of about `bytes` bytes.
std::string japanese_text(size_t bytes) {
    const std::string piece = "Abc \x82\x81\x82\x82\x83\x61\x93\xfa\x96\x7b xyz ";
    std::string text;
    while (text.size() < bytes) {
        text += piece;
    }
    return text;
}

void BM_SjisUpperEntry(benchmark::State& state) {
    const std::string text = japanese_text(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        char* block = _UDF_SjisUpper(text.c_str());
        benchmark::DoNotOptimize(block);
        std::free(block);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SjisUpperEntry)->Arg(55)->Arg(4096);

void BM_SjisUpperSpanInPlace(benchmark::State& state) {
    std::string text = japanese_text(65535);
    auto* bytes = reinterpret_cast<unsigned char*>(&text[0]);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sjis_upper_span(bytes, bytes, text.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SjisUpperSpanInPlace);

void BM_Trim(benchmark::State& state) {
    const std::string text = "   " + japanese_text(50) + "   ";
    for (auto _ : state) {
        char* block = _UDF_Trim(text.c_str());
        benchmark::DoNotOptimize(block);
        std::free(block);
    }
}
BENCHMARK(BM_Trim);

void BM_DayNumberRoundTrip(benchmark::State& state) {
    int64_t n = 0;
    std::tm t{};
    for (auto _ : state) {
        day_number_to_tm(n, t);
        benchmark::DoNotOptimize(tm_to_day_number(t));
        n = (n + 7919) % 3652059;
    }
}
BENCHMARK(BM_DayNumberRoundTrip);

void BM_Oct(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(_UDF_Oct("  -17777777777"));
    }
}
BENCHMARK(BM_Oct);

}  // namespace

BENCHMARK_MAIN();
