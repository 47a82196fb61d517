// fuzz_numeric.cpp - UDF_ABS, UDF_IABS, UDF_ROUND and UDF_OCT on fuzzed
// values, against the C library: sign bits included for the doubles, and
// strtoull's octal reading (with our overflow rule) for UDF_OCT.
#include <cerrno>
#include <cmath>
#include <cstring>

#include "fuzz_support.h"
#include "legacy/entries.h"

namespace {

bool same_bits(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::memcmp(&a, &b, sizeof a) == 0;
}

int32_t reference_oct(const char* text) {
    const char* p = text;
    while (*p == ' ' || (*p >= 0x09 && *p <= 0x0D))
        ++p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    if (*p < '0' || *p > '7') {
        return 0;  // strtoull would take a second sign; we take none
    }
    errno = 0;
    const unsigned long long value = std::strtoull(p, nullptr, 8);
    if (errno == ERANGE) {
        return negative ? 0 : -1;
    }
    const uint32_t low = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - low : low);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const double value = in.take<double>();
    const int32_t whole = in.take<int32_t>();
    const int16_t mode = in.take<int16_t>();
    const ExactText text(in.rest());

    FUZZ_CHECK(same_bits(_UDF_Abs(&value), std::fabs(value)));
    FUZZ_CHECK(_UDF_IAbs(&whole) ==
               static_cast<int32_t>(whole < 0 ? 0u - static_cast<uint32_t>(whole)
                                              : static_cast<uint32_t>(whole)));
    for (int16_t m : {int16_t{0}, int16_t{1}, int16_t{2}, mode}) {
        double expected = 0.0;
        if (m == 0)
            expected = std::trunc(value);
        if (m == 1)
            expected = value >= 0.0 ? std::ceil(value) : -std::ceil(-value);
        if (m == 2)
            expected = std::round(value);
        FUZZ_CHECK(same_bits(_UDF_Round(&value, &m), expected));
    }
    FUZZ_CHECK(_UDF_Oct(text.c_str()) == reference_oct(text.c_str()));
    return 0;
}
