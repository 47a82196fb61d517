// date_codec.cpp - the binding of the date codec to the server's client
// library.  This is the only date code that touches the host.
#include "date_codec.h"

#include <cstring>

#if defined(_WIN32)
#include "../module/host_codec_win.h"
#else
#include <ibase.h>

void date_quad_to_tm(const DateQuad* date, std::tm* out) {
    isc_decode_timestamp(reinterpret_cast<const ISC_TIMESTAMP*>(date), out);
}

void tm_to_date_quad(const std::tm* in, DateQuad* date) {
    // The encoder reads only the six date and time fields.
    isc_encode_timestamp(in, reinterpret_cast<ISC_TIMESTAMP*>(date));
}
#endif
