// status.cpp - raising Firebird errors that name the function.
#include "status.h"

#include <string>

namespace kovudf_udr {

void raise(Status* status, const catalog::Function& function, const char* what,
           ISC_STATUS code) {
    raise(status, catalog::sql_name(function) + ": " + what, code);
}

void raise(Status* status, const std::string& text, ISC_STATUS code) {
    const ISC_STATUS message[] = {isc_arg_gds, isc_random, isc_arg_string,
                                  reinterpret_cast<ISC_STATUS>(text.c_str()),
                                  isc_arg_end};
    const ISC_STATUS coded[] = {
        isc_arg_gds, code,           isc_arg_gds,
        isc_random,  isc_arg_string, reinterpret_cast<ISC_STATUS>(text.c_str()),
        isc_arg_end};
    throw Firebird::FbException(status, code != 0 ? coded : message);
}

}  // namespace kovudf_udr
