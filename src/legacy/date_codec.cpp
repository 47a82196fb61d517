// date_codec.cpp - the binding of the legacy front's date codec to the
// server's client library, or on 64-bit Windows to the library's own
// calendar.
#include "date_codec.h"

#if defined(_WIN32) && !defined(_WIN64)

// 32-bit Windows: GDS32.DLL exports the codec by ordinal only (125 decodes,
// 129 encodes).  The import library made from gds32.def binds these two
// names to the ordinals; like every client-library call they are stdcall.
extern "C" {
void __stdcall gds32_decode_date(const void* date, void* out);
void __stdcall gds32_encode_date(const void* in, void* date);
}

void date_quad_to_tm(const DateQuad* date, std::tm* out) {
    gds32_decode_date(date, out);
}

void tm_to_date_quad(const std::tm* in, DateQuad* date) {
    gds32_encode_date(in, date);
}

#elif defined(_WIN32)

// 64-bit Windows: the library's own calendar, the same arithmetic as the
// client library's codec, so that the module imports nothing of Firebird
// and loads wherever the server looks for it.  The date family hands over
// normalised fields only.
#include <cstring>

#include "../date/stamp.h"

void date_quad_to_tm(const DateQuad* date, std::tm* out) {
    Stamp stamp;
    std::memcpy(&stamp, date, sizeof stamp);
    *out = datetime_of_stamp(stamp).fields;
}

void tm_to_date_quad(const std::tm* in, DateQuad* date) {
    DateTime value{};
    value.fields = *in;
    const Stamp stamp = stamp_of_datetime(value);
    std::memcpy(date, &stamp, sizeof stamp);
}

#else

#include <ibase.h>

void date_quad_to_tm(const DateQuad* date, std::tm* out) {
    isc_decode_timestamp(reinterpret_cast<const ISC_TIMESTAMP*>(date), out);
}

// The encoder reads only the six date and time fields.
void tm_to_date_quad(const std::tm* in, DateQuad* date) {
    isc_encode_timestamp(in, reinterpret_cast<ISC_TIMESTAMP*>(date));
}

#endif
