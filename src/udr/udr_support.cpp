// udr_support.cpp - errors, date checks and the result allocator of the UDR
// front.
#include "udr_support.h"

#include <cstdlib>
#include <string>

// Result blocks of the family routines are only ever read back and freed by
// this module, so its own heap serves as the result allocator.
namespace {
void* module_malloc(host_malloc_size size) {
    return std::malloc(size == 0 ? 1 : static_cast<size_t>(size));
}
}  // namespace

host_malloc_fn host_malloc = &module_malloc;

namespace kovudf_udr {

void raise(Status* status, const char* function, const char* what, ISC_STATUS code) {
    const std::string text = std::string(function) + ": " + what;
    const ISC_STATUS message[] = {isc_arg_gds, isc_random, isc_arg_string,
                                  reinterpret_cast<ISC_STATUS>(text.c_str()),
                                  isc_arg_end};
    const ISC_STATUS coded[] = {
        isc_arg_gds, code,           isc_arg_gds,
        isc_random,  isc_arg_string, reinterpret_cast<ISC_STATUS>(text.c_str()),
        isc_arg_end};
    throw Firebird::FbException(status, code != 0 ? coded : message);
}

// Days since 17 November 1858 of 0001-01-01 and of 9999-12-31.
const int32_t first_valid_day = -678575;
const int32_t last_valid_day = 2973483;
const uint32_t ticks_per_day = 864000000;

void check_date(Status* status, const char* function, const DateQuad& value) {
    if (value.date < first_valid_day || value.date > last_valid_day ||
        value.time >= ticks_per_day) {
        raise(status, function, "the result lies outside 0001-01-01 .. 9999-12-31",
              isc_datetime_range_exceeded);
    }
}

}  // namespace kovudf_udr
